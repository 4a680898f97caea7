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

// A coverage; exact tells that no segment area was estimated, and the value is then
// CoverageBeyond's own.
struct CoverageEstimate {
    double value = 0;
    bool exact = true;
};

// CoverageBeyond(re, ·) with the polynomial segment area, and without any arithmetic where
// the distance alone shows that the coverage is exactly 0 or 1.
class EdgeCoverage {
public:
    EdgeCoverage() = default;
    explicit EdgeCoverage(double re);
    CoverageEstimate At(double d) const;

private:
    double m_re = 0;
    double m_zeroUpTo = 0; // d <= m_zeroUpTo: coverage 0
    double m_oneFrom = 0;  // d >= m_oneFrom: coverage 1
};

// A colour's channels as doubles, blended from without unpacking it again.
struct BlendSource {
    COLORREF rgb = 0;
    double r = 0;
    double g = 0;
    double b = 0;
    double top = 0;    // the largest channel
    bool grey = false; // all three channels equal
    BlendSource() = default;
    explicit BlendSource(COLORREF color);
};

// EdgeColor(c, ·, ·) byte for byte, with c's constants prepared once.
class FastEdge {
public:
    FastEdge() = default;
    explicit FastEdge(const AaCircle& c);
    COLORREF Color(double d, COLORREF bg) const;

private:
    AaCircle m_circle;
    bool m_lined = false; // a line of positive width
    EdgeCoverage m_outer;
    EdgeCoverage m_inner;
    BlendSource m_line;
    BlendSource m_fill;
};
