// The half-angle form of a tangent-circle triangle's angle: agreement with the law of cosines
// where that is exact, its limits for horocycles and tiny radii, and its slopes.
#include "packing/TriangleAngle.h"

#include "packing/AngleSum.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace {

const double Infinity = std::numeric_limits<double>::infinity();

double Angle(double a, double b, double c) {
    return TriangleAngle(RadiusTerms(a), RadiusTerms(b), RadiusTerms(c));
}

// The Euclidean angle of the triangle with sides a + b, a + c, b + c at the vertex of a.
double EuclideanAngle(double a, double b, double c) {
    double x = a + b, y = a + c, z = b + c;
    return std::acos((x * x + y * y - z * z) / (2 * x * y));
}

} // namespace

TEST(TriangleAngle, AgreesWithTheLawOfCosinesAndItsLimits) {
    EXPECT_NEAR(Angle(1, 1, 1), 0.659966404215799, 1e-15);
    std::mt19937 engine(5);
    std::uniform_real_distribution<double> radius(0.05, 6.0);
    for (int t = 0; t < 1000; ++t) {
        double a = radius(engine), b = radius(engine), c = radius(engine);
        ASSERT_NEAR(Angle(a, b, c), std::acos(HyperbolicCosAngle(a, b, c)), 1e-11)
            << a << " " << b << " " << c;
    }
    // A horocycle neighbour is the limit of growing radii, and needs no special value.
    EXPECT_NEAR(Angle(0.7, Infinity, 1.3), Angle(0.7, 40, 1.3), 1e-15);
    EXPECT_NEAR(Angle(0.7, Infinity, Infinity),
                2 * std::atan(std::exp(-0.7) / std::sqrt(-std::expm1(-1.4))), 1e-15);
    // Tiny circles are Euclidean: every digit survives where e^-r rounds to 1.
    for (double scale : {1e-9, 1e-12, 1e-200}) {
        EXPECT_NEAR(Angle(2 * scale, 3 * scale, 5 * scale), EuclideanAngle(2, 3, 5), 1e-12);
    }
    // Both ends of [0, pi] keep their digits: a tiny circle between two huge ones, and a
    // huge one between two tiny ones.
    EXPECT_NEAR(Angle(1e-10, 5, 5), std::numbers::pi - 2 * std::sqrt(1e-10 * 2 / std::tanh(5)),
                1e-12);
    EXPECT_GT(Angle(20, 1e-9, 1e-9), 0.0);
    EXPECT_NEAR(Angle(20, 1e-9, 1e-9) / (4 * std::exp(-20) * 1e-9), 1.0, 1e-6);
}

// The slopes match finite differences, and sinh b * d(angle at a)/db is the same as
// sinh a * d(angle at b)/da: the symmetry that makes the Newton matrix symmetric in
// u = ln tanh(r/2).
TEST(TriangleAngle, SlopesMatchDifferencesAndAreSymmetricInU) {
    std::mt19937 engine(8);
    std::uniform_real_distribution<double> logRadius(-6.0, 2.0);
    for (int t = 0; t < 300; ++t) {
        double r[3] = {std::exp(logRadius(engine)), std::exp(logRadius(engine)),
                       std::exp(logRadius(engine))};
        CAngleSlopes s =
            TriangleAngleSlopes(RadiusTerms(r[0]), RadiusTerms(r[1]), RadiusTerms(r[2]));
        EXPECT_EQ(2 * std::atan2(s.half.y, s.half.x), Angle(r[0], r[1], r[2]));
        double slopes[3] = {s.bySelf, s.byFirst, s.bySecond};
        for (int i = 0; i < 3; ++i) {
            double h = r[i] * 1e-6;
            double up[3] = {r[0], r[1], r[2]};
            double down[3] = {r[0], r[1], r[2]};
            up[i] += h;
            down[i] -= h;
            double difference =
                (Angle(up[0], up[1], up[2]) - Angle(down[0], down[1], down[2])) / (2 * h);
            ASSERT_NEAR(slopes[i] * r[i], difference * r[i],
                        1e-6 * (std::fabs(difference * r[i]) + 1e-3))
                << t << " radius " << i;
        }
        CAngleSlopes atB =
            TriangleAngleSlopes(RadiusTerms(r[1]), RadiusTerms(r[0]), RadiusTerms(r[2]));
        double ab = std::sinh(r[1]) * s.byFirst;
        double ba = std::sinh(r[0]) * atB.byFirst;
        ASSERT_NEAR(ab, ba, 1e-12 * std::fabs(ab)) << t;
    }
    EXPECT_LT(TriangleAngleSlopes(RadiusTerms(1), RadiusTerms(1), RadiusTerms(1)).bySelf, 0);
}

TEST(TriangleAngle, FanTurnIsTheAngleSumLessAFullTurn) {
    std::mt19937 engine(11);
    std::uniform_real_distribution<double> exponent(-9, 1.3);
    std::uniform_int_distribution<int> degree(3, 40);
    for (int t = 0; t < 500; ++t) {
        int k = degree(engine);
        std::vector<CRadiusTerms> terms;
        for (int i = 0; i <= k; ++i) {
            // Every seventh neighbour a horocycle; radii from 1e-9 to 20.
            terms.push_back(
                RadiusTerms(i > 0 && i % 7 == 0 ? Infinity : std::pow(10.0, exponent(engine))));
        }
        CFanTurn<double> turn;
        double sum = 0;
        for (int p = 1; p <= k; ++p) {
            const CRadiusTerms& c = terms[p < k ? p + 1 : 1];
            turn.Add(HalfAngle(terms[0], terms[p], c));
            sum += TriangleAngle(terms[0], terms[p], c);
        }
        ASSERT_NEAR(turn.Error(), sum - 2 * std::numbers::pi, 1e-13 * k) << t;
    }
}

TEST(TriangleAngle, FanTurnResolvesAClosedFanToTheLastDigit) {
    // Six horocycles around a circle of radius ln 2 close it exactly: tan(pi/6) = e^-r /
    // sqrt(1 - e^-2r) for e^-r = 1/2. Adding the six angles and subtracting 2 pi would leave
    // the rounding of both, some 1e-16 in doubles.
    CFanTurn<double> narrow;
    CFanTurn<long double> wide;
    CRadiusTerms horocycle = RadiusTerms(Infinity);
    CWideRadiusTerms wideHorocycle = WideRadiusTerms(std::numeric_limits<long double>::infinity());
    for (int p = 0; p < 6; ++p) {
        narrow.Add(HalfAngle(RadiusTerms(std::log(2.0)), horocycle, horocycle));
        wide.Add(HalfAngle(WideRadiusTerms(std::log(2.0L)), wideHorocycle, wideHorocycle));
    }
    EXPECT_LT(std::fabs(narrow.Error()), 2e-16);
    EXPECT_LT(std::fabs(wide.Error()), 1e-18L);
}
