// Placing circles in the Poincaré disk: the first two circles, a circle tangent to two placed
// ones, and the Euclidean circle of a hyperbolic one.
#include "packing/DiskPlacement.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <limits>
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

// Euclidean tangency of two circles from outside, relative to the smaller radius.
double TangencyGap(const CDiskCircle& u, const CDiskCircle& v) {
    double gap = u.euclidCentre.Distance(v.euclidCentre) - (u.euclidRadius + v.euclidRadius);
    return std::fabs(gap) / std::min(u.euclidRadius, v.euclidRadius);
}

// Positive when the Euclidean centres turn in the positive sense.
double EuclideanTurn(const CDiskCircle& a, const CDiskCircle& b, const CDiskCircle& c) {
    CDPoint p = a.euclidCentre;
    CDPoint q = b.euclidCentre;
    CDPoint r = c.euclidCentre;
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

// The image of a circle under the disk isometry z -> (z + m) / (1 + conj(m) z), by the
// image formula of a circle under a Möbius map, in long double.
CDiskCircle Moved(const CDiskCircle& c, const CDPoint& m) {
    using Z = std::complex<long double>;
    Z z0(c.euclidCentre.x, c.euclidCentre.y);
    Z shift(m.x, m.y);
    long double p = c.euclidRadius;
    Z image = z0 + shift;
    Z denominatorPoint = std::conj(shift) * z0 + Z(1);
    long double denominator = std::norm(denominatorPoint) - std::norm(shift) * p * p;
    Z centre = (image * std::conj(denominatorPoint) - shift * p * p) / denominator;
    long double radius = p * (1 - std::norm(shift)) / std::fabs(denominator);
    CDPoint disk = c.diskCentre;
    disk.MoveFromOrigin(m);
    return {disk, CDPoint(double(centre.real()), double(centre.imag())), double(radius)};
}

// A horocycle of Euclidean radius p touching the unit circle in the direction angle.
CDiskCircle Horocycle(double p, double angle) {
    CDPoint at(std::cos(angle), std::sin(angle));
    return {at, at * (1 - p), p};
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
    CDiskCircle p = PlaceAtCentre(1.0);
    CDiskCircle q = PlaceAlongY(1.0, 1.0);
    PairFit fit = PairFit::Substitute;
    CDiskCircle v = PlaceFromPair(p, 1.0, q, 1.0, 1.0, &fit);
    EXPECT_EQ(fit, PairFit::TouchesBoth);
    EXPECT_NEAR(v.diskCentre.x, -0.466925998097, 1e-12);
    EXPECT_NEAR(v.diskCentre.y, 0.601669153843, 1e-12);
    EXPECT_NEAR(v.euclidCentre.x, -0.419128588145, 1e-12);
    EXPECT_NEAR(v.euclidCentre.y, 0.540078607763, 1e-12);
    EXPECT_NEAR(v.euclidRadius, 0.221515548192, 1e-12);
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, p.diskCentre), 2.0, 1e-12);
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, q.diskCentre), 2.0, 1e-12);

    CDiskCircle reversed = PlaceFromPair(q, 1.0, p, 1.0, 1.0);
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

        PairFit fit = PairFit::Substitute;
        CDiskCircle v =
            PlaceFromPair(EuclideanCircle(a, ra), ra, EuclideanCircle(b, rb), rb, rv, &fit);
        ASSERT_EQ(fit, PairFit::TouchesBoth) << t;
        // Near the rim a disk coordinate resolves hyperbolic lengths less finely.
        double rim = std::min({1 - a.Abs(), 1 - b.Abs(), 1 - v.diskCentre.Abs()});
        double scale = 1e-14 / (rim * rim) + 1e-10;
        ASSERT_NEAR(HyperbolicDistance(v.diskCentre, a), rv + ra, scale) << t;
        ASSERT_NEAR(HyperbolicDistance(v.diskCentre, b), rv + rb, scale) << t;
        ASSERT_GT(Turn(v.diskCentre, a, b), 0) << t;
    }
}

// Moving a pair by an isometry towards the rim moves the placed circle with it, also where
// the hyperbolic centres can no longer be told apart from points of the unit circle (radii
// of 30 and 60) and for horocycles: the placement reads the Euclidean circles only.
TEST(DiskPlacement, PlacingCommutesWithIsometriesUpToTheRim) {
    const double radii[][3] = {
        {1.0, 1.0, 1.0}, {0.3, 2.0, 0.05}, {1.0, 30.0, 0.5}, {2.0, 60.0, 30.0}, {0.5, 45.0, 45.0}};
    for (const auto& r : radii) {
        CDiskCircle p = PlaceAtCentre(r[0]);
        CDiskCircle q = PlaceAlongY(r[0], r[1]);
        CDiskCircle v = PlaceFromPair(p, r[0], q, r[1], r[2]);
        for (double push : {0.5, 0.9, 0.99, 0.99999}) {
            CDPoint m(push * 0.6, push * -0.8);
            CDiskCircle pm = Moved(p, m);
            CDiskCircle qm = Moved(q, m);
            PairFit fit = PairFit::Substitute;
            CDiskCircle vm = PlaceFromPair(pm, r[0], qm, r[1], r[2], &fit);
            CDiskCircle expected = Moved(v, m);
            double tolerance = 1e-9 * vm.euclidRadius + 1e-14;
            EXPECT_EQ(fit, PairFit::TouchesBoth);
            EXPECT_NEAR(vm.euclidRadius, expected.euclidRadius, tolerance) << r[0] << " " << push;
            EXPECT_NEAR(vm.euclidCentre.x, expected.euclidCentre.x, tolerance);
            EXPECT_NEAR(vm.euclidCentre.y, expected.euclidCentre.y, tolerance);
            EXPECT_LT(TangencyGap(vm, pm), 1e-9);
            EXPECT_LT(TangencyGap(vm, qm), 1e-9);
            EXPECT_GT(EuclideanTurn(vm, pm, qm), 0);
        }
    }
}

TEST(DiskPlacement, HorocyclesTouchTheUnitCircleAndTheirPair) {
    const double inf = std::numeric_limits<double>::infinity();
    // Two touching horocycles of Euclidean radii 0.2 and 0.1: their centres are 0.3 apart.
    double pa = 0.2, pb = 0.1;
    double ca = 1 - pa, cb = 1 - pb;
    double angle = std::acos((ca * ca + cb * cb - (pa + pb) * (pa + pb)) / (2 * ca * cb));
    CDiskCircle a = Horocycle(pa, 0.4);
    CDiskCircle b = Horocycle(pb, 0.4 + angle);
    ASSERT_LT(TangencyGap(a, b), 1e-14);
    for (double rv : {0.01, 1.0, 40.0, inf}) {
        PairFit fit = PairFit::Substitute;
        CDiskCircle v = PlaceFromPair(a, inf, b, inf, rv, &fit);
        EXPECT_EQ(fit, PairFit::TouchesBoth);
        EXPECT_LT(TangencyGap(v, a), 1e-12) << rv;
        EXPECT_LT(TangencyGap(v, b), 1e-12) << rv;
        EXPECT_GT(EuclideanTurn(v, a, b), 0);
        double rim = 1 - (v.euclidCentre.Abs() + v.euclidRadius);
        EXPECT_GE(rim, -1e-15);
        if (rv > 30) {
            EXPECT_LT(rim, 1e-15) << rv;
            EXPECT_NEAR(v.diskCentre.Abs(), 1.0, 1e-15);
        } else {
            EXPECT_GT(rim, 1e-6) << rv;
        }
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
    CDiskCircle v = PlaceFromPair(EuclideanCircle(a, ra), ra, EuclideanCircle(b, rb), rb, rv);
    EXPECT_TRUE(std::isfinite(v.diskCentre.x));
    EXPECT_TRUE(std::isfinite(v.diskCentre.y));
    EXPECT_TRUE(std::isfinite(v.euclidRadius));
    EXPECT_NEAR(HyperbolicDistance(v.diskCentre, b), rv + rb, 1e-9);
}

// A pair too far apart for any circle of the radius to reach both: the circle touches one of
// them and lies on the geodesic through both centres, towards the other. A radius that
// gives no circle at all (not a number, not positive) still yields a finite circle in the
// disk.
TEST(DiskPlacement, PairsThatCannotBothBeTouchedStillGiveACircle) {
    CDiskCircle a = PlaceAtCentre(1.0);
    CDiskCircle b = EuclideanCircle(CDPoint(0, DiskDistance(1, 8.0)), 1.0);
    PairFit fit = PairFit::TouchesBoth;
    CDiskCircle v = PlaceFromPair(a, 1.0, b, 1.0, 1.0, &fit);
    EXPECT_EQ(fit, PairFit::TouchesOne);
    EXPECT_NEAR(v.diskCentre.x, 0.0, 1e-12);
    EXPECT_GT(v.diskCentre.y, 0.0);
    EXPECT_LT(std::min(TangencyGap(v, a), TangencyGap(v, b)), 1e-12);

    for (double bad : {std::nan(""), 0.0, -1.0}) {
        CDiskCircle w = PlaceFromPair(a, 1.0, b, 1.0, bad, &fit);
        EXPECT_EQ(fit, PairFit::Substitute);
        EXPECT_TRUE(std::isfinite(w.euclidCentre.x) && std::isfinite(w.euclidCentre.y));
        EXPECT_GT(w.euclidRadius, 0.0);
        EXPECT_LE(w.euclidCentre.Abs() + w.euclidRadius, 1.0);
    }
}
