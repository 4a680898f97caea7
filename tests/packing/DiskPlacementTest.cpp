// Placing circles in the Poincaré disk: the first two circles, a circle tangent to two placed
// ones, and the Euclidean circle of a hyperbolic one.
#include "packing/DiskPlacement.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace {

// Hyperbolic distance between two points of the unit disk.
double HyperbolicDistance(const CDPoint& z, const CDPoint& w) {
    CDPoint moved = z;
    moved.MoveToOrigin(w);
    return 2 * std::atanh(moved.Abs());
}

// The point of the Klein model, where geodesics are straight lines.
CDPoint Klein(const CDPoint& z) {
    return z * (2 / (1 + z.x * z.x + z.y * z.y));
}

// Positive when the geodesic triangle a, b, c turns in the positive sense (+x towards +y).
double Turn(const CDPoint& a, const CDPoint& b, const CDPoint& c) {
    CDPoint ka = Klein(a);
    CDPoint kb = Klein(b);
    CDPoint kc = Klein(c);
    return (kb.x - ka.x) * (kc.y - ka.y) - (kb.y - ka.y) * (kc.x - ka.x);
}

} // namespace

TEST(DiskPlacement, FirstTwoCirclesOfUnitRadius) {
    CDiskCircle p = PlaceAtCentre(1.0);
    EXPECT_EQ(p.diskCentre, CDPoint(0, 0));
    EXPECT_EQ(p.euclidCentre, CDPoint(0, 0));
    EXPECT_NEAR(p.euclidRadius, 0.46211715726000974, 1e-16);

    CDiskCircle q = PlaceAlongY(1.0, 1.0);
    EXPECT_EQ(q.diskCentre.x, 0.0);
    EXPECT_NEAR(q.diskCentre.y, 0.7615941559557649, 1e-16);
    EXPECT_EQ(q.euclidCentre.x, 0.0);
    EXPECT_NEAR(q.euclidCentre.y, 0.6836327054524381, 1e-16);
    EXPECT_NEAR(q.euclidRadius, 0.2215155481924284, 1e-16);
    EXPECT_NEAR(HyperbolicDistance(p.diskCentre, q.diskCentre), 2.0, 1e-14);
}

TEST(DiskPlacement, ThirdCircleFromAPairAndFromThePairReversed) {
    CDPoint p = PlaceAtCentre(1.0).diskCentre;
    CDPoint q = PlaceAlongY(1.0, 1.0).diskCentre;
    CDiskCircle v = PlaceFromPair(p, q, 1.0, 1.0, 1.0);
    EXPECT_NEAR(v.diskCentre.x, -0.466925998097, 1e-12);
    EXPECT_NEAR(v.diskCentre.y, 0.601669153843, 1e-12);
    EXPECT_NEAR(v.euclidCentre.x, -0.419128588145, 1e-12);
    EXPECT_NEAR(v.euclidCentre.y, 0.540078607763, 1e-12);
    EXPECT_NEAR(v.euclidRadius, 0.221515548192, 1e-12);
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, p), 2.0, 1e-12);
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, q), 2.0, 1e-12);

    CDiskCircle reversed = PlaceFromPair(q, p, 1.0, 1.0, 1.0);
    EXPECT_NEAR(reversed.diskCentre.x, -v.diskCentre.x, 1e-12);
    EXPECT_NEAR(reversed.diskCentre.y, v.diskCentre.y, 1e-12);
    EXPECT_NEAR(reversed.euclidCentre.x, -v.euclidCentre.x, 1e-12);
    EXPECT_NEAR(reversed.euclidRadius, v.euclidRadius, 1e-12);
}

// Anywhere in the disk, with radii from tiny to boundary-sized, the new circle touches both
// and the triangle v, A, B turns in the positive sense.
TEST(DiskPlacement, PlacedCirclesTouchBothNeighboursWithOneOrientation) {
    std::mt19937 engine(3);
    std::uniform_real_distribution<double> logRadius(-4.0, 2.5);
    std::uniform_real_distribution<double> angle(-std::numbers::pi, std::numbers::pi);
    std::uniform_real_distribution<double> offset(0.0, 0.9);
    for (int t = 0; t < 500; ++t) {
        double ra = std::exp(logRadius(engine));
        double rb = std::exp(logRadius(engine));
        double rv = std::exp(logRadius(engine));
        CDPoint b(offset(engine), 0);
        b.Rotate(angle(engine));
        // A at distance ra + rb from B in a random direction.
        CDPoint a(0, DiskDistance(1, ra + rb));
        a.Rotate(angle(engine));
        a.MoveFromOrigin(b);

        CDiskCircle v = PlaceFromPair(a, b, rv, ra, rb);
        // Near the rim a disk coordinate resolves hyperbolic lengths less finely.
        double rim = std::min({1 - a.Abs(), 1 - b.Abs(), 1 - v.diskCentre.Abs()});
        double scale = 1e-14 / (rim * rim) + 1e-10;
        ASSERT_NEAR(HyperbolicDistance(v.diskCentre, a), rv + ra, scale) << t;
        ASSERT_NEAR(HyperbolicDistance(v.diskCentre, b), rv + rb, scale) << t;
        ASSERT_GT(Turn(v.diskCentre, a, b), 0) << t;
    }
}

TEST(DiskPlacement, EuclideanCircleIsTheHyperbolicCircle) {
    for (CDPoint w : {CDPoint(0, 0), CDPoint(0.3, -0.5), CDPoint(-0.9, 0.1), CDPoint(0, 0.99)}) {
        for (double r : {0.01, 1.0, 4.0}) {
            CDiskCircle circle = EuclideanCircle(w, r);
            EXPECT_EQ(circle.diskCentre, w);
            for (int i = 0; i < 12; ++i) {
                CDPoint onCircle(circle.euclidRadius, 0);
                onCircle.Rotate(i * std::numbers::pi / 6);
                onCircle = onCircle + circle.euclidCentre;
                ASSERT_NEAR(HyperbolicDistance(onCircle, w), r, 1e-9 * (1 + r));
            }
        }
    }
}

// With one radius almost nothing, rounding puts the cosine of the angle just beyond 1: the
// circle must still come out as a touching circle, not an undefined one.
TEST(DiskPlacement, RoundingAtADegenerateTriangleStillGivesACircle) {
    double rv = 9.3822109731868298e-12;
    double ra = 15.82830874227256;
    double rb = 1.6481184731829855e-07;
    CDPoint b(0, 0);
    CDPoint a(0, DiskDistance(1, ra + rb));
    CDiskCircle v = PlaceFromPair(a, b, rv, ra, rb);
    EXPECT_TRUE(std::isfinite(v.diskCentre.x));
    EXPECT_TRUE(std::isfinite(v.diskCentre.y));
    EXPECT_TRUE(std::isfinite(v.euclidRadius));
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, b), rv + rb, 1e-9);
}
