// CViewSettings: the view's settings. The editor and tessel-cli each keep one record and hand
// the core what it needs of it.
#pragma once

#include "geometry/Color.h"

// The values of the profile section "View" plus the Graph Scale-Down factor, which is never
// stored. Member names are the profile's key names.
struct CViewSettings {
    int CircleAntialiasing = 0;      // draw circle mode antialiased
    COLORREF BGColor = 0xFFFFFF;     // view and bitmap background
    int Margin = 10;                 // pixels between the window edge and the outer circle
    int GraSnap = 0;                 // gradation end points snap to circle centres
    COLORREF GraStartCol = 0xFFFFFF; // gradation start colour of the circle bar
    COLORREF GraEndCol = 0x000000;   // gradation end colour of the circle bar
    double GraphResizeRate = 0.9;    // factor of Graph Scale-Down; 0.9 at every start
};
