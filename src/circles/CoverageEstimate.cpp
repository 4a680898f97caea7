// The certified fast edge colour: a polynomial in place of the inverse cosine, and the exact
// computation for the few pixels where the polynomial's error could change a byte.
//
// Why the bytes stay the same. Write S for the true segment area acos c − c·sqrt(1 − c²),
// S_lib for what coverage::ExactSegment computes in doubles, Ŝ for EstimateSegment.
// 1. |Ŝ − S| ≤ 4.2e-10·S (the fit's error with its roundings; the tests check it densely).
//    |S_lib − S| < 3e-13: acos is within an ulp, and near |c| = 1 the square c·c rounds by
//    at most min(2^-54, (1 − c²)²/4), which moves sqrt(1 − c·c) by at most 2^-42; the other
//    roundings are a few ulps of π.
// 2. The coverage takes every branch on the same doubles in both computations; only the
//    segment areas differ. Far case, x = S/π ≤ 1: |x̂ − x| < 4.2e-10 + 1e-13. Near case: the
//    two lens terms are non-negative and sum to at most π, the first scaled by d²/ρ² ≤ 400,
//    so |x̂ − x| < 4.2e-10 + 401·3e-13/π + 1e-15 < 6e-10; clamping to [0, 1] keeps it so.
//    (Multiplying by 1/π and 1/ρ² instead of dividing adds a few ulps, inside these bounds.)
//    kCoverageError = 1e-8 bounds it with a margin of 16.
// 3. A channel of Blend before rounding, v = c·K with c = (1 − x)·a + x·b, K = (T + M)/(2M),
//    M the largest c and T the blend of the two colours' largest channels (M ≤ T ≤ 2M, so
//    K ≤ 1.5), moves by at most 765 per unit of x in [0, 1]: |c'|·K ≤ 255·1.5, and
//    |c·K'| ≤ (c/M)·(|T'| + (T/M)·|M'|)/2 ≤ 382.5. Evaluated in doubles, in Blend's order of
//    operations or in CertainBlend's, it is off by under 1e-12. So the channel from x̂ lies within
//    765·6e-10 + 2e-12 < kChannelMargin of the reference's, and when its fraction is farther than
//    that from 0.5 both round alike.
// An estimate within kCoverageError of 0 or 1 is not used: the reference's coverage might
// then be 0 or 1 exactly, where Blend returns early, or a rounding beyond.
// 4. For 0 < re ≤ 1e5, a pixel at d ≤ re − ρ − m or d ≥ re + ρ + m, m = 1e-9·(1 + re), gets
//    exactly 0 or 1 from every branch of the coverage: the quantity each branch compares
//    with 1 (t, c1 or c2, scaled by its denominator) clears 1 by at least 2ρm in exact
//    arithmetic, while its roundings stay below 1e-15·(re + 12)², less than 2ρm there.
#include "circles/CoverageEstimate.h"

#include "circles/CoverageFormula.h"

#include <algorithm>
#include <limits>
#include <numbers>

namespace {

// S(1 − z)/z^1.5 on [0, 1], highest power first: a degree-8 Chebyshev fit of a function
// whose only singularity lies at z = 2 (c = −1), so that a low degree is accurate.
constexpr double kFit[] = {
    -0.0001237210580710237,  0.00023997749612278936, -0.0004551167817639998,
    -0.00015533862107830078, -0.0013351201965593569, -0.004894364023793664,
    -0.025255420735893205,   -0.2828426514272665,    1.8856180827863391,
};

constexpr double kInvPi = 1 / std::numbers::pi;
constexpr double kInvRho2 = 1 / (kPixelRadius * kPixelRadius);
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The areas of coverage::Beyond from the polynomial; used tells whether any was needed.
struct EstimatedArea {
    bool used = false;
    double Straight(double t) {
        used = true;
        return EstimateSegment(t) * kInvPi;
    }
    double Lens(double d, double c1, double c2) {
        used = true;
        double s2 = EstimateSegment(std::clamp(c2, -1.0, 1.0));
        return coverage::Clamp01((s2 * (d * d * kInvRho2) + EstimateSegment(c1)) * kInvPi);
    }
};

// Adding and taking away 2^52 rounds a channel v to the nearest integer n; RoundHalfAway
// gives n too unless v lies within the margin of a half. Widens clearance to the smallest
// distance from a half seen.
unsigned RoundedChannel(double v, double& clearance) {
    constexpr double kShift = 0x1p52;
    double n = (v + kShift) - kShift;
    clearance = std::min(clearance, 0.5 - std::abs(v - n));
    return unsigned(static_cast<long long>(n)) & 0xFFu;
}

// Blend(a, b, x) for the coverage x that e estimates, or false when the estimate cannot tell
// how a channel rounds. The channels are computed in another order than Blend's, within
// 1e-12 of the same values.
bool CertainBlend(const BlendSource& a, COLORREF b, CoverageEstimate e, COLORREF& out) {
    if (e.exact || a.rgb == b) {
        // Blend(a, a, x) is a for every x: each channel and the target round the same
        // products, so k is 1 and the channels lie within 1e-12 of a's.
        out = Blend(a.rgb, b, e.value);
        return true;
    }
    double x = e.value;
    if (!(x >= kCoverageError && x <= 1 - kCoverageError)) {
        return false;
    }
    double br = GetRValue(b), bg = GetGValue(b), bb = GetBValue(b);
    double clearance = 1;
    if (a.grey && br == bg && bg == bb) {
        // Two greys: every channel and the target are the same blend, so k is 1.
        unsigned level = RoundedChannel(a.r + x * (br - a.r), clearance);
        out = MakeRgb(level, level, level);
        return clearance > kChannelMargin;
    }
    double c[3] = {a.r + x * (br - a.r), a.g + x * (bg - a.g), a.b + x * (bb - a.b)};
    double m = std::max(c[0], std::max(c[1], c[2])); // positive: a and b are not both black
    double target = a.top + x * (std::max(br, std::max(bg, bb)) - a.top);
    double k = (target + m) * 0.5 / m;
    out = MakeRgb(RoundedChannel(c[0] * k, clearance), RoundedChannel(c[1] * k, clearance),
                  RoundedChannel(c[2] * k, clearance));
    return clearance > kChannelMargin;
}

} // namespace

double EstimateSegment(double c) {
    // S(−c) = π − S(c); z = 1 − |c| is exact where S is small. The polynomial is evaluated
    // in pairs of terms (Estrin's scheme), which shortens its chain of dependent operations.
    double z = 1 - std::abs(c);
    double z2 = z * z, z4 = z2 * z2;
    double p01 = kFit[7] * z + kFit[8], p23 = kFit[5] * z + kFit[6];
    double p45 = kFit[3] * z + kFit[4], p67 = kFit[1] * z + kFit[2];
    double p = (kFit[0] * z4 + (p67 * z2 + p45)) * z4 + (p23 * z2 + p01);
    double s = z * std::sqrt(z) * p;
    return c < 0 ? std::numbers::pi - s : s;
}

EdgeCoverage::EdgeCoverage(double re) : m_re(re) {
    if (!(re > 0)) { // every pixel lies beyond a vanished edge
        m_zeroUpTo = m_oneFrom = -kInfinity;
    } else if (re <= 1e5) {
        double m = 1e-9 * (1 + re);
        m_zeroUpTo = re - kPixelRadius - m;
        m_oneFrom = re + kPixelRadius + m;
    } else {
        m_zeroUpTo = -kInfinity;
        m_oneFrom = kInfinity;
    }
}

CoverageEstimate EdgeCoverage::At(double d) const {
    if (d <= m_zeroUpTo) {
        return {0, true};
    }
    if (d >= m_oneFrom) {
        return {1, true};
    }
    EstimatedArea area;
    double value = coverage::Beyond(m_re, d, area);
    return {value, !area.used};
}

BlendSource::BlendSource(COLORREF color)
    : rgb(color), r(GetRValue(color)), g(GetGValue(color)), b(GetBValue(color)),
      top(std::max(r, std::max(g, b))), grey(r == g && g == b) {}

FastEdge::FastEdge(const AaCircle& c)
    : m_circle(c), m_lined(c.thickness > 0), m_outer(c.radius + c.thickness / 2),
      m_inner(c.radius - c.thickness / 2), m_line(c.lineCol), m_fill(c.innerCol) {}

COLORREF FastEdge::Color(double d, COLORREF bg) const {
    CoverageEstimate fo = m_outer.At(d);
    COLORREF u = 0, color = 0;
    if (m_lined) {
        if (CertainBlend(m_line, bg, fo, u) && CertainBlend(m_fill, u, m_inner.At(d), color)) {
            return color;
        }
    } else if (CertainBlend(m_fill, bg, fo, color)) {
        return color;
    }
    return EdgeColor(m_circle, d, bg);
}
