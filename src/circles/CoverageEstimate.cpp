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
//    kCoverageError = 1e-8 bounds it with a margin of 16.
// 3. A channel of Blend before rounding, v = c·K with c = (1 − x)·a + x·b, K = (T + M)/(2M),
//    M the largest c and T the blend of the two colours' largest channels (M ≤ T ≤ 2M, so
//    K ≤ 1.5), moves by at most 765 per unit of x in [0, 1]: |c'|·K ≤ 255·1.5, and
//    |c·K'| ≤ (c/M)·(|T'| + (T/M)·|M'|)/2 ≤ 382.5. Evaluated in doubles it is off by under
//    1e-12. So the channel from x̂ lies within 765·6e-10 + 2e-12 < kChannelMargin of the
//    reference's, and when its fraction is farther than that from 0.5 both round alike.
// An estimate within kCoverageError of 0 or 1 is not used: the reference's coverage might
// then be 0 or 1 exactly, where Blend returns early, or a rounding beyond.
#include "circles/CoverageEstimate.h"

#include "circles/CoverageFormula.h"

#include <iterator>
#include <numbers>

namespace {

// S(1 − z)/z^1.5 on [0, 1], highest power first: a degree-8 Chebyshev fit of a function
// whose only singularity lies at z = 2 (c = −1), so that a low degree is accurate.
constexpr double kFit[] = {
    -0.0001237210580710237,  0.00023997749612278936, -0.0004551167817639998,
    -0.00015533862107830078, -0.0013351201965593569, -0.004894364023793664,
    -0.025255420735893205,   -0.2828426514272665,    1.8856180827863391,
};

// Blend(a, b, x) for the coverage x that e estimates, or false when the estimate cannot tell
// how a channel rounds.
bool CertainBlend(COLORREF a, COLORREF b, CoverageEstimate e, COLORREF& out) {
    if (e.exact || a == b) {
        // Blend(a, a, x) is a for every x: each channel and the target round the same
        // products, so k is 1 and the channels lie within 1e-12 of a's.
        out = Blend(a, b, e.value);
        return true;
    }
    if (!(e.value >= kCoverageError && e.value <= 1 - kCoverageError)) {
        return false;
    }
    coverage::Channels c = coverage::BlendChannels(a, b, e.value);
    for (double v : c.v) {
        if (std::abs(v - double(static_cast<long long>(v)) - 0.5) <= kChannelMargin) {
            return false;
        }
    }
    out = coverage::RoundChannels(c);
    return true;
}

} // namespace

double EstimateSegment(double c) {
    // S(−c) = π − S(c); z = 1 − |c| is exact where S is small.
    double z = 1 - std::abs(c);
    double p = kFit[0];
    for (std::size_t i = 1; i < std::size(kFit); ++i) {
        p = p * z + kFit[i];
    }
    double s = z * std::sqrt(z) * p;
    return c < 0 ? std::numbers::pi - s : s;
}

CoverageEstimate EstimateCoverageBeyond(double re, double d) {
    bool used = false;
    double value = coverage::Beyond(re, d, [&used](double c) {
        used = true;
        return EstimateSegment(c);
    });
    return {value, !used};
}

COLORREF FastEdgeColor(const AaCircle& c, double d, COLORREF bg) {
    CoverageEstimate fo = EstimateCoverageBeyond(c.radius + c.thickness / 2, d);
    COLORREF u = 0, color = 0;
    if (c.thickness > 0) {
        if (CertainBlend(c.lineCol, bg, fo, u) &&
            CertainBlend(c.innerCol, u, EstimateCoverageBeyond(c.radius - c.thickness / 2, d),
                         color)) {
            return color;
        }
    } else if (CertainBlend(c.innerCol, bg, fo, color)) {
        return color;
    }
    return EdgeColor(c, d, bg);
}
