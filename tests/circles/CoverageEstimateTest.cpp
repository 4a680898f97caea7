// The certified fast edge colour: the polynomial's error bound, and byte identity with the
// exact edge colour on random pixels and on pixels placed where a channel's rounding flips.
#include "circles/CoverageEstimate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr double kRho = kPixelRadius;

double LibrarySegment(double c) {
    return std::acos(c) - c * std::sqrt(1 - c * c);
}

// A circle of random size, width and colours: tiny to huge radii, widths zero, negative
// and wider than the diameter, grey and coloured lines.
AaCircle RandomCircle(std::mt19937& random) {
    std::uniform_real_distribution<> unit(0, 1);
    AaCircle c;
    c.radius = std::exp(unit(random) * 11 - 4); // 0.018 to 1100 pixels
    double widths[] = {0, 1, 1, 2, -3, 0.5, 7, 3 * c.radius + 1};
    c.thickness = widths[random() % 8];
    c.lineCol = random() & 0xFFFFFF;
    c.innerCol = random() & 0xFFFFFF;
    if (random() % 4 == 0) {
        c.lineCol = 0x010101 * (random() & 0xFF);
        c.innerCol = random() % 2 ? 0xFFFFFF : c.lineCol;
    }
    return c;
}

// What the circle is drawn over: any colour, its own inner colour or a grey.
COLORREF RandomBackground(const AaCircle& c, std::mt19937& random) {
    switch (random() % 3) {
    case 0:
        return c.innerCol;
    case 1:
        return 0x010101 * (random() & 0xFF);
    default:
        return random() & 0xFFFFFF;
    }
}

// A distance on the circle's edge band, where the pixel needs a coverage.
double EdgeDistance(const AaCircle& c, std::mt19937& random) {
    double rin = c.radius - c.thickness / 2, rout = c.radius + c.thickness / 2;
    double lo = std::max(0.0, rin - kRho), hi = rout + kRho;
    return std::uniform_real_distribution<>(lo, hi)(random);
}

} // namespace

TEST(CoverageEstimate, SegmentWithinItsRelativeBoundOfTheLibraryOne) {
    std::mt19937 random(11);
    std::uniform_real_distribution<> unit(-1, 1);
    for (int i = 0; i < 400000; ++i) {
        double c = unit(random);
        if (i % 2) { // crowd the ends, where the area vanishes or nears π
            c = std::copysign(1 - std::pow(2.0, -53 * std::abs(unit(random))), c);
        }
        double exact = LibrarySegment(c);
        ASSERT_LE(std::abs(EstimateSegment(c) - exact), 4.2e-10 * exact + 3e-13) << c;
    }
    EXPECT_EQ(EstimateSegment(1), 0.0);
    EXPECT_NEAR(EstimateSegment(-1), std::acos(-1.0), 1e-15);
    EXPECT_NEAR(EstimateSegment(0), std::acos(0.0), 1e-9);
}

TEST(CoverageEstimate, CoverageWithinTheCertifiedErrorAndExactWhereNoSegmentIsNeeded) {
    std::mt19937 random(12);
    double worst = 0;
    int estimated = 0;
    for (int i = 0; i < 300000; ++i) {
        AaCircle c = RandomCircle(random);
        double d = EdgeDistance(c, random);
        for (double re : {c.radius + c.thickness / 2, c.radius - c.thickness / 2}) {
            CoverageEstimate e = EdgeCoverage(re).At(d);
            double exact = CoverageBeyond(re, d);
            if (e.exact) {
                ASSERT_EQ(e.value, exact) << re << ' ' << d;
            } else {
                ++estimated;
                worst = std::max(worst, std::abs(e.value - exact));
            }
        }
    }
    EXPECT_GT(estimated, 200000);
    // The proof allows 6e-10; the certificate assumes kCoverageError.
    EXPECT_LT(worst, 6e-10);
    EXPECT_LT(worst * 10, kCoverageError);
}

TEST(CoverageEstimate, EdgeColorEqualsTheExactOneOnRandomPixels) {
    std::mt19937 random(13);
    for (int i = 0; i < 400000; ++i) {
        AaCircle c = RandomCircle(random);
        double d = EdgeDistance(c, random);
        COLORREF bg = RandomBackground(c, random);
        ASSERT_EQ(FastEdge(c).Color(d, bg), EdgeColor(c, d, bg))
            << "r " << c.radius << " t " << c.thickness << " d " << d;
    }
}

// Next to the distances where the coverage becomes exactly 0 or 1, whatever the branch.
TEST(CoverageEstimate, ExactAtBothEndsOfTheEdgeBand) {
    std::mt19937 random(15);
    for (int i = 0; i < 20000; ++i) {
        double re = std::exp(std::uniform_real_distribution<>(-5, 12)(random)); // up to 1.6e5
        double m = 1e-9 * (1 + re);
        for (double end : {re - kRho, re + kRho}) {
            for (double d : {end - m, end - m / 2, end, end + m / 2, end + m, end - 2 * m}) {
                for (double p : {d, std::nextafter(d, 0.0), std::nextafter(d, 1e300)}) {
                    if (p < 0) {
                        continue;
                    }
                    CoverageEstimate e = EdgeCoverage(re).At(p);
                    if (e.exact) {
                        ASSERT_EQ(e.value, CoverageBeyond(re, p)) << re << ' ' << p;
                    } else {
                        ASSERT_NEAR(e.value, CoverageBeyond(re, p), kCoverageError) << re;
                    }
                }
            }
        }
    }
}

// Where EdgeColor changes between two distances, bisection finds the distance at which a
// channel's rounding flips; the pixels there and a few roundings either side are the ones
// an estimate could get wrong.
TEST(CoverageEstimate, EdgeColorEqualsTheExactOneWhereARoundingFlips) {
    std::mt19937 random(14);
    int flips = 0;
    for (int trial = 0; trial < 300; ++trial) {
        AaCircle c = RandomCircle(random);
        COLORREF bg = RandomBackground(c, random);
        double rin = c.radius - c.thickness / 2, rout = c.radius + c.thickness / 2;
        double lo = std::max(0.0, rin - kRho), hi = rout + kRho;
        double step = (hi - lo) / 64;
        for (double a = lo; a + step < hi; a += step) {
            double b = a + step;
            if (EdgeColor(c, a, bg) == EdgeColor(c, b, bg)) {
                continue;
            }
            double x = a, y = b;
            for (int i = 0; i < 80 && std::nextafter(x, y) < y; ++i) {
                double m = x + (y - x) / 2;
                (EdgeColor(c, m, bg) == EdgeColor(c, x, bg) ? x : y) = m;
            }
            ++flips;
            double d = x;
            for (int k = 0; k < 6; ++k, d = std::nextafter(d, 0.0)) {
                for (double p : {d, std::nextafter(y, 1e300), y + 1e-12 * k, d - 1e-10 * k}) {
                    ASSERT_EQ(FastEdge(c).Color(p, bg), EdgeColor(c, p, bg))
                        << "r " << c.radius << " t " << c.thickness << " d " << p;
                }
            }
        }
    }
    EXPECT_GT(flips, 3000);
}
