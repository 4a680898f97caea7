// Disk isometries: what a move does to points and circles, composed and inverted.
#include "geometry/DiskMove.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace {

struct MoveCase {
    const char* name;
    CDiskMove move;
};

std::vector<MoveCase> Moves() {
    return {{"rotation", CDiskMove::Rotation(2.0)},
            {"to the rim", CDiskMove::FromOrigin({0.6, -0.79})},
            {"from near the rim", CDiskMove::ToOrigin({-0.999999, 0.0001})},
            {"along", CDiskMove::Along({0.3, 0.4}, {-0.7, 0.1})},
            {"composed", CDiskMove::Rotation(-1).Then(CDiskMove::FromOrigin({0.2, 0.9}))}};
}

const std::vector<CDPoint> kPoints = {{0, 0}, {0.5, 0.5}, {-0.9, 0.1}, {0, -0.99999}};

double HyperbolicDistance(const CDPoint& a, const CDPoint& b) {
    CDPoint moved = CDiskMove::ToOrigin(a).Apply(b);
    return 2 * std::atanh(moved.Abs());
}

} // namespace

TEST(DiskMove, KeepsDistancesAndUndoesItsInverse) {
    for (const MoveCase& c : Moves()) {
        for (const CDPoint& p : kPoints) {
            CDPoint image = c.move.Apply(p);
            EXPECT_LT(image.Abs(), 1) << c.name;
            CDPoint back = c.move.Then(c.move.Inverse()).Apply(p);
            EXPECT_NEAR(back.x, p.x, 1e-15) << c.name;
            EXPECT_NEAR(back.y, p.y, 1e-15) << c.name;
        }
        // Distances between points well inside the disk, where doubles resolve them.
        for (std::size_t i = 0; i + 1 < 3; ++i) {
            double before = HyperbolicDistance(kPoints[i], kPoints[i + 1]);
            double after =
                HyperbolicDistance(c.move.Apply(kPoints[i]), c.move.Apply(kPoints[i + 1]));
            EXPECT_NEAR(after, before, 1e-9 * before) << c.name;
        }
        // The unit circle onto itself, and the centre and room as stated.
        CDPoint rim = c.move.Apply(CDPoint(std::cos(0.3), std::sin(0.3)));
        EXPECT_NEAR(rim.Abs(), 1, 1e-15) << c.name;
        CDiskMove::Complex centre = c.move.Centre();
        EXPECT_NEAR(double(centre.real()), c.move.Apply(CDPoint()).x, 1e-15) << c.name;
        EXPECT_NEAR(double(c.move.Room()), 1 - double(std::norm(centre)), 1e-12) << c.name;
    }
}

TEST(DiskMove, AlongCarriesTheGrabbedPointAndToOriginItsCentre) {
    const CDPoint a(0.3, 0.4), b(-0.7, 0.1), w(-0.999999, 0.0001);
    CDPoint moved = CDiskMove::Along(a, b).Apply(a);
    EXPECT_NEAR(moved.x, b.x, 1e-15);
    EXPECT_NEAR(moved.y, b.y, 1e-15);
    EXPECT_NEAR(CDiskMove::ToOrigin(w).Apply(w).Abs(), 0, 1e-15);
    // Along a diameter it turns nothing: the points of that diameter stay on it.
    CDPoint onAxis = CDiskMove::Along({0.2, 0}, {-0.5, 0}).Apply(CDPoint(0.9, 0));
    EXPECT_EQ(onAxis.y, 0);
    EXPECT_NEAR(CDiskMove::Rotation(std::numbers::pi / 2).Apply(CDPoint(0.5, 0)).y, 0.5, 1e-16);
}

// The image circle passes through the images of points of the circle.
TEST(DiskMove, CirclesGoToTheCirclesThroughTheirPointsImages) {
    struct Circle {
        CDPoint centre;
        double radius;
    };
    const std::vector<Circle> circles = {
        {{0, 0}, 0.5}, {{0.7, 0.2}, 0.05}, {{0, 0.999}, 0.001}, {{-0.6, 0}, 0.4}};
    for (const MoveCase& c : Moves()) {
        for (const Circle& circle : circles) {
            CDPoint centre;
            double radius = 0;
            c.move.ApplyToCircle(circle.centre, circle.radius, centre, radius);
            EXPECT_GT(radius, 0) << c.name;
            for (double angle : {0.0, 1.0, 2.5, 4.0}) {
                CDPoint p =
                    circle.centre + CDPoint(std::cos(angle), std::sin(angle)) * circle.radius;
                EXPECT_NEAR(c.move.Apply(p).Distance(centre), radius, 1e-12 * (1 + radius))
                    << c.name << ' ' << angle;
            }
        }
    }
}
