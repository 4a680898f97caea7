// The angle formulas of the radius solver on plain radii: the literal law of cosines, its
// faster twin and the doubling-then-bisection search.
#include "packing/AngleSum.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <vector>

namespace {

struct SearchResult {
    double radius = 0.0;
    int evaluations = 0;
};

SearchResult SearchLiteral(double r, double threshold, const std::vector<double>& radii,
                           bool inner) {
    SearchResult result;
    result.radius = SearchRadius(r, threshold, [&](double x) {
        ++result.evaluations;
        return FanAngleSumError(x, radii, inner);
    });
    return result;
}

SearchResult SearchFast(double r, double threshold, const std::vector<double>& radii, bool inner) {
    CFanAngles fan;
    fan.Prepare(radii, inner);
    SearchResult result;
    result.radius = SearchRadius(r, threshold, [&](double x) {
        ++result.evaluations;
        return fan.AngleSumError(x);
    });
    return result;
}

// How far two honest evaluations of the angle sum may differ. The cosine's numerator cancels
// down from cosh A cosh B + cosh C, so its error scales with that over sinh A sinh B; the arc
// cosine then magnifies it by 1/sin of the angle, or at worst takes its square root.
double RoundingBound(double r, const std::vector<double>& radii, bool inner) {
    constexpr double eps = 2.3e-16;
    double bound = 1e-14;
    std::size_t k = radii.size();
    for (std::size_t i = 0; i < k; ++i) {
        if (i + 1 < k || inner) {
            double a = r + radii[i];
            double b = r + radii[(i + 1) % k];
            double c = radii[i] + radii[(i + 1) % k];
            double cosine = HyperbolicCosAngle(r, radii[i], radii[(i + 1) % k]);
            double dc = 16 * eps * (std::cosh(a) * std::cosh(b) + std::cosh(c)) /
                        (std::sinh(a) * std::sinh(b));
            double sine = std::sqrt(std::max(1 - cosine * cosine, 0.0));
            bound += std::min(dc / std::max(sine, 1e-300), std::sqrt(2 * dc));
        }
    }
    return bound;
}

} // namespace

TEST(AngleSum, ThreeUnitCirclesMeetAtTheKnownAngle) {
    double expected = std::cosh(2.0) / (std::cosh(2.0) + 1);
    EXPECT_NEAR(HyperbolicCosAngle(1, 1, 1), 0.790012829192987, 1e-15);
    EXPECT_NEAR(HyperbolicCosAngle(1, 1, 1), expected, 1e-15);
    EXPECT_NEAR(std::acos(HyperbolicCosAngle(1, 1, 1)), 0.659966404215799, 1e-15);

    std::vector<double> pair{1.0, 1.0};
    CFanAngles fan;
    fan.Prepare(pair, false);
    EXPECT_NEAR(fan.AngleSumError(1.0), 0.659966404215799, 1e-15);
    EXPECT_NEAR(FanAngleSumError(1.0, pair, false), 0.659966404215799, 1e-15);
}

TEST(AngleSum, InnerFansCloseWithAFullTurnAndOpenFansDoNot) {
    std::vector<double> three{0.5, 1.5, 2.5};
    double open = 0.0;
    for (int i = 0; i < 2; ++i) {
        open += std::acos(HyperbolicCosAngle(0.8, three[i], three[i + 1]));
    }
    double closing = std::acos(HyperbolicCosAngle(0.8, three[2], three[0]));
    EXPECT_DOUBLE_EQ(FanAngleSumError(0.8, three, false), open);
    EXPECT_DOUBLE_EQ(FanAngleSumError(0.8, three, true), open + closing - FullTurn);
    EXPECT_EQ(FullTurn, 2 * std::numbers::pi);
    // No neighbours, nothing to close: the radius stays.
    EXPECT_EQ(FanAngleSumError(0.8, {}, true), 0.0);
    EXPECT_EQ(SearchFast(0.8, 1e-4, {}, true).radius, 0.8);
}

TEST(AngleSum, OneSearchEndsAtTheKnownRadii) {
    for (auto search : {SearchLiteral, SearchFast}) {
        SearchResult six = search(1.0, 1e-4, std::vector<double>(6, 1.0), true);
        EXPECT_EQ(six.radius, 0.590179443359375);
        EXPECT_EQ(six.evaluations, 16);
        EXPECT_EQ(search(1.0, 1e-4, std::vector<double>(3, 1.0), true).radius, 0.11273193359375);
        for (int k : {2, 3}) {
            SearchResult outer = search(1.0, 1e-4, std::vector<double>(k, 1.0), false);
            EXPECT_EQ(outer.radius, 16.0);
            EXPECT_EQ(outer.evaluations, 5); // four doublings
        }
    }
}

TEST(AngleSum, SixEqualNeighboursGiveSixThirdsOfAHalfTurn) {
    for (double a : {0.05, 0.7, 3.0}) {
        std::vector<double> six(6, a);
        double r = SearchFast(1.0, 1e-4, six, true).radius;
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(std::acos(HyperbolicCosAngle(r, a, a)), std::numbers::pi / 3, 1e-4 / 6)
                << "a = " << a;
        }
    }
}

TEST(AngleSum, ASolvedRadiusIsKeptExactly) {
    std::vector<double> radii{0.3, 1.2, 0.9, 2.0, 0.4};
    double solved = SearchFast(1.0, 1e-4, radii, true).radius;
    SearchResult again = SearchFast(solved, 1e-4, radii, true);
    EXPECT_EQ(again.radius, solved);
    EXPECT_EQ(again.evaluations, 1);
}

TEST(AngleSum, SearchStopsOnUndefinedSumsAndWhenTheIntervalStopsShrinking) {
    int calls = 0;
    EXPECT_EQ(SearchRadius(1.5, 1e-4, [&](double) { return ++calls, std::nan(""); }), 1.5);
    EXPECT_EQ(calls, 1);

    // A threshold no double can meet: the bisection still ends, at the best radius.
    SearchResult fine = SearchFast(1.0, 1e-300, std::vector<double>(6, 1.0), true);
    EXPECT_LT(fine.evaluations, 200);
    EXPECT_NEAR(fine.radius, SearchFast(1.0, 1e-12, std::vector<double>(6, 1.0), true).radius,
                1e-12);
    // A sum that never drops below the threshold: the radius doubles to infinity and stops.
    calls = 0;
    EXPECT_EQ(SearchRadius(1.0, 1e-4, [&](double) { return ++calls, 1.0; }), INFINITY);
    EXPECT_LT(calls, 1100);
    // A sum that is always negative halves the radius down to zero and stops there.
    EXPECT_EQ(SearchRadius(1.0, 1e-4, [](double) { return -1.0; }), 0.0);
    // Open fans with a threshold below any angle the doubles can show stop as well.
    EXPECT_TRUE(std::isfinite(SearchFast(1.0, 1e-300, {1.0, 1.0, 1.0}, false).radius));
}

TEST(AngleSum, NonPositiveThresholdsStandForTheBuiltInOne) {
    EXPECT_EQ(EffectiveThreshold(0.0), 0.0001);
    EXPECT_EQ(EffectiveThreshold(-3.0), 0.0001);
    EXPECT_EQ(EffectiveThreshold(std::nan("")), 0.0001);
    EXPECT_EQ(EffectiveThreshold(1e-7), 1e-7);
}

// The faster evaluation must lead every search through the same steps as the literal one,
// wherever the literal one stays defined.
TEST(AngleSum, FastAndLiteralSearchesAgreeOnRandomFans) {
    std::mt19937 engine(7);
    std::uniform_real_distribution<double> logRadius(-6.0, 3.5);
    std::uniform_int_distribution<int> degree(2, 12);
    int compared = 0;
    int sumsApart = 0;
    for (int t = 0; t < 3000; ++t) {
        bool inner = t % 3 != 0;
        std::vector<double> radii(degree(engine) + (inner ? 1 : 0));
        for (double& a : radii) {
            a = std::exp(logRadius(engine));
        }
        double start = std::exp(logRadius(engine));
        CFanAngles fan;
        fan.Prepare(radii, inner);
        bool undefined = false;
        SearchResult literal;
        literal.radius = SearchRadius(start, 1e-4, [&](double x) {
            ++literal.evaluations;
            double s = FanAngleSumError(x, radii, inner);
            undefined = undefined || std::isnan(s);
            if (!undefined &&
                !(std::fabs(fan.AngleSumError(x) - s) <= RoundingBound(x, radii, inner))) {
                ++sumsApart;
            }
            return s;
        });
        SearchResult fast = SearchFast(start, 1e-4, radii, inner);
        if (undefined) {
            // The literal search froze on an undefined sum; the fast one solves the node.
            ASSERT_LT(std::fabs(fan.AngleSumError(fast.radius)), 1e-4) << "fan " << t;
            continue;
        }
        ++compared;
        ASSERT_EQ(literal.radius, fast.radius) << "fan " << t;
        ASSERT_EQ(literal.evaluations, fast.evaluations) << "fan " << t;
    }
    EXPECT_GT(compared, 2500);
    EXPECT_EQ(sumsApart, 0);
}
