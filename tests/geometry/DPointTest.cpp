// Rounding, the disk isometries and the overflow-safe disk distance functions.
#include "geometry/DPoint.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

TEST(RoundHalfAway, HalvesGoAwayFromZeroAndTheRestToTheNearest) {
    struct Case {
        double in;
        double out;
    };
    for (Case c : {Case{2.5, 3},
                   {-2.5, -3},
                   {0.5, 1},
                   {-0.5, -1},
                   {2.49, 2},
                   {-2.49, -2},
                   {0.49999999999999994, 0},
                   {1e15 + 0.5, 1e15 + 1},
                   {-7, -7},
                   {0, 0}}) {
        EXPECT_EQ(RoundHalfAway(c.in), c.out) << c.in;
    }
}

TEST(ToPoint, RoundsEachCoordinateAndPinsWhatNoPixelHolds) {
    EXPECT_EQ(CDPoint(2.5, -2.5).ToPoint(), (IntPoint{3, -3}));
    EXPECT_EQ(CDPoint(0.49, -0.49).ToPoint(), (IntPoint{0, 0}));
    EXPECT_EQ(CDPoint(-0.5, 0.5).ToPoint(), (IntPoint{-1, 1}));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(CDPoint(1e30, -inf).ToPoint(), (IntPoint{INT32_MAX, INT32_MIN}));
    EXPECT_EQ(CDPoint(std::nan(""), 2147483646.6).ToPoint(), (IntPoint{0, INT32_MAX}));
}

TEST(DPoint, ComparesExactlyAndMeasuresAngles) {
    EXPECT_FALSE(CDPoint(0.1 + 0.2, 0) == CDPoint(0.3, 0));
    EXPECT_DOUBLE_EQ(CDPoint(0, 1).Arg(), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(CDPoint(-1, 0).Arg(), std::numbers::pi);
    EXPECT_EQ(CDPoint(0, 0).Arg(), 0);
    CDPoint p(1, 0);
    p.Rotate(std::numbers::pi / 2);
    EXPECT_NEAR(p.x, 0, 1e-15);
    EXPECT_NEAR(p.y, 1, 1e-15);
}

TEST(DPoint, ComplexDivisionUndoesMultiplication) {
    CDPoint a(0.3, -1.7);
    CDPoint b(-2.5, 0.25);
    CDPoint back = a.ComplexMul(b).ComplexDiv(b);
    EXPECT_NEAR(back.x, a.x, 1e-15);
    EXPECT_NEAR(back.y, a.y, 1e-15);
    CDPoint i(0, 1);
    EXPECT_EQ(i.ComplexMul(i), CDPoint(-1, 0));
    EXPECT_FALSE(std::isfinite(a.ComplexDiv(CDPoint(0, 0)).x));
}

TEST(DiskIsometry, MovesThePointToTheOriginAndBack) {
    for (CDPoint a : {CDPoint(0.5, 0.25), CDPoint(-0.9, 0.1), CDPoint(0, -0.999)}) {
        CDPoint moved = a;
        moved.MoveToOrigin(a);
        EXPECT_NEAR(moved.Abs(), 0, 1e-15);
        CDPoint origin(0, 0);
        origin.MoveFromOrigin(a);
        EXPECT_NEAR(origin.Distance(a), 0, 1e-15);
        for (CDPoint z : {CDPoint(0.7, -0.6), CDPoint(-0.2, 0.1), CDPoint(0.99, 0)}) {
            CDPoint w = z;
            w.MoveToOrigin(a);
            EXPECT_LT(w.Abs(), 1) << "the disk maps onto itself";
            w.MoveFromOrigin(a);
            EXPECT_NEAR(w.Distance(z), 0, 1e-12);
        }
    }
}

TEST(DiskIsometry, KeepsHyperbolicDistances) {
    // The pseudo-hyperbolic distance |z - w| / |1 - conj(w) z| is what the isometries keep.
    auto pseudo = [](const CDPoint& z, const CDPoint& w) {
        CDPoint conjW(w.x, -w.y);
        CDPoint d = conjW.ComplexMul(z);
        return (z - w).Abs() / CDPoint(1 - d.x, -d.y).Abs();
    };
    CDPoint a(0.4, -0.3);
    CDPoint z(0.1, 0.8);
    CDPoint w(-0.6, -0.2);
    double before = pseudo(z, w);
    z.MoveToOrigin(a);
    w.MoveToOrigin(a);
    EXPECT_NEAR(pseudo(z, w), before, 1e-14);
}

TEST(DiskDistance, IsHalfTanhAndStaysFiniteFarOut) {
    EXPECT_EQ(DiskDistance(1, 0), 0);
    for (double b : {0.3, 2.0, -1.5, 20.0}) {
        EXPECT_NEAR(DiskDistance(1, b), std::tanh(b / 2), 1e-15) << b;
    }
    EXPECT_EQ(DiskDistance(1, 1000), 1);
    EXPECT_EQ(DiskDistance(1, -1000), -1);
    EXPECT_EQ(DiskDistance(1, 800), -DiskDistance(1, -800));
}

TEST(DiskShift, MovesAlongADiameterAndBack) {
    for (double b : {0.0, 0.7, -3.0, 1000.0, -1000.0}) {
        EXPECT_NEAR(DiskShift(0, b), DiskDistance(1, b), 1e-15) << b;
    }
    for (double a : {-0.95, -0.2, 0.0, 0.6, 0.999}) {
        EXPECT_NEAR(DiskShift(a, 0), a, 1e-15) << a;
        EXPECT_NEAR(DiskShift(a, 2 * std::atanh(0.3)), std::tanh(std::atanh(a) + std::atanh(0.3)),
                    1e-14);
        EXPECT_NEAR(DiskShift(DiskShift(a, 1.25), -1.25), a, 1e-12) << a;
        EXPECT_NEAR(DiskShift(DiskShift(a, -4), 4), a, 1e-12) << a;
    }
    EXPECT_EQ(DiskShift(0.5, 1000), 1);
    EXPECT_EQ(DiskShift(0.5, -1000), -1);
    EXPECT_TRUE(std::isfinite(DiskShift(-0.5, 1000)));
}

TEST(DPoint, AssignsThroughTheBaseClassAndConvertsIntegerPoints) {
    CDPoint p(IntPoint{-3, 7});
    EXPECT_EQ(p, CDPoint(-3, 7));
    CDPoint q;
    CDPoint& result = (q = p);
    EXPECT_EQ(&result, &q);
    EXPECT_EQ(q, p);
    q.Set(IntPoint{1, 2});
    EXPECT_EQ(q, CDPoint(1, 2));
}
