// CViewSettings: the view's settings. The editor and tessel-cli each keep one record and hand
// the core what it needs of it.
#pragma once

#include "geometry/Color.h"

// The values of the profile section "View", the Graph Scale-Down factor, which is never
// stored, and the tolerance of Pack to Convergence (section "Convergence"). Member names are
// the profile's key names.
struct CViewSettings {
    // Pack to Convergence's tolerance: no packing in doubles gets below about 1e-15, and above
    // 1 the circles would not even look closed.
    static constexpr double MinTolerance = 1e-15;
    static constexpr double MaxTolerance = 1.0;

    int CircleAntialiasing = 0;      // draw circle mode antialiased
    COLORREF BGColor = 0xFFFFFF;     // view and bitmap background
    int Margin = 10;                 // pixels between the window edge and the outer circle
    int GraSnap = 0;                 // gradation end points snap to circle centres
    COLORREF GraStartCol = 0xFFFFFF; // gradation start colour of the circle bar
    COLORREF GraEndCol = 0x000000;   // gradation end colour of the circle bar
    double GraphResizeRate = 0.9;    // factor of Graph Scale-Down; 0.9 at every start
    double Tolerance = 1e-12;        // largest inner angle-sum error Pack to Convergence leaves
};
