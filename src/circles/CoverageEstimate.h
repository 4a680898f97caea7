// The fast edge colour: coverage from a polynomial segment area, used only where it provably
// gives the bytes of the exact EdgeColor, which is computed wherever it might not.
#pragma once

#include "circles/Antialias.h"

// Bounds |estimate − CoverageBeyond| for every coverage that used the polynomial.
inline constexpr double kCoverageError = 1e-8;
// Bounds how far a blended channel computed from an estimate lies from the reference's.
inline constexpr double kChannelMargin = 1e-5;

// acos c − c·sqrt(1 − c²) for c in [−1, 1], within a relative 4.2e-10.
double EstimateSegment(double c);

// CoverageBeyond(re, d) with the polynomial segment area; exact tells that no segment area
// was needed, and the value is then CoverageBeyond's own.
struct CoverageEstimate {
    double value = 0;
    bool exact = true;
};
CoverageEstimate EstimateCoverageBeyond(double re, double d);

// EdgeColor(c, d, bg), byte for byte.
COLORREF FastEdgeColor(const AaCircle& c, double d, COLORREF bg);
