// The coverage of antialiasing, its branches written once over the way the areas are
// computed: the exact functions use the library's inverse cosine, the fast estimate a
// polynomial (CoverageEstimate.h), and both decide on the same doubles.
#pragma once

#include "circles/Antialias.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace coverage {

constexpr double kRho = kPixelRadius;

// S(c) = acos c − c·sin(acos c), π times the share of the pixel disk cut off by a straight
// edge at signed distance c·ρ from its centre; sin(acos c) = sqrt(1 − c²) needs no sine.
inline double ExactSegment(double c) {
    return std::acos(c) - c * std::sqrt(1 - c * c);
}

inline double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

// The two areas the coverage needs, from the library's inverse cosine: the share of the
// pixel disk beyond a straight edge at signed distance t·ρ from its centre, and the share
// inside a disk of radius d whose centre lies re away, for the cosines c1 (at the pixel's
// centre) and c2 (at the other centre) of the two-disk lens.
struct ExactArea {
    double Straight(double t) const { return ExactSegment(t) / std::numbers::pi; }
    double Lens(double d, double c1, double c2) const {
        c2 = std::clamp(c2, -1.0, 1.0); // rounding may carry it just past the end
        double s1 = ExactSegment(c1);
        double s2 = ExactSegment(c2);
        return Clamp01((s2 * d * d / (kRho * kRho) + s1) / std::numbers::pi);
    }
};

// The edge lies wholly inside the pixel disk: what lies beyond it is the disk minus the
// circle.
inline double SmallCircleInsidePixel(double re) {
    return Clamp01(1 - (re / kRho) * (re / kRho));
}

template <class Area> double NearEdge(double re, double d, Area& area) {
    if (d <= kRho) {
        if (d == 0) {
            return re >= kRho ? 0 : SmallCircleInsidePixel(re);
        }
        double c2 = (re * re + d * d - kRho * kRho) / (2 * re * d);
        if (c2 >= 1) {
            return 0;
        }
        if (c2 <= -1) {
            return SmallCircleInsidePixel(re);
        }
    }
    double c1 = (re * re + kRho * kRho - d * d) / (2 * kRho * re);
    if (c1 >= 1) {
        return 0;
    }
    if (c1 <= -1) {
        return 1;
    }
    return area.Lens(d, c1, (re * re + d * d - kRho * kRho) / (2 * re * d));
}

// CoverageBeyond with the areas computed by area; every branch is taken here, on the same
// doubles whatever computes the areas.
template <class Area> double Beyond(double re, double d, Area& area) {
    if (!(re > 0)) {
        return 1; // a line wider than the circle: the inner edge has vanished
    }
    if (d > kFarFactor * kRho) {
        double t = (re - d) / kRho; // the edge seen as a straight line
        if (t >= 1) {
            return 0;
        }
        if (t <= -1) {
            return 1;
        }
        return area.Straight(t);
    }
    return NearEdge(re, d, area);
}

} // namespace coverage
