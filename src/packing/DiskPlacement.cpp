// The disk geometry of placing one circle of the packing.
#include "packing/DiskPlacement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double QuarterTurn = std::numbers::pi / 2;

// Rounding can push the cosine of an angle of a triangle that barely closes just outside
// [-1, 1]; the arc cosine would then be undefined.
double ClampedAcos(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0));
}

// The intersection with x >= 0 of the circle about (0, d) of radius f and the circle about
// the origin of radius e, computed from the angle at the centre of the larger circle.
CDPoint IntersectCircles(double d, double f, double e) {
    if (f > e) {
        double c = (f / d + d / f - e * e / (f * d)) / 2;
        double phi = ClampedAcos(c);
        return {f * std::sin(phi), d - f * c};
    }
    double c = (e / d + d / e - f * f / (e * d)) / 2;
    double psi = ClampedAcos(c);
    return {e * std::sin(psi), e * c};
}

} // namespace

CDiskCircle PlaceAtCentre(double r) {
    return {CDPoint(0, 0), CDPoint(0, 0), DiskDistance(1, r)};
}

CDiskCircle PlaceAlongY(double rP, double rQ) {
    double t1 = DiskDistance(1, rP);
    double t2 = DiskDistance(1, rP + 2 * rQ);
    return {CDPoint(0, DiskDistance(1, rP + rQ)), CDPoint(0, (t2 + t1) / 2), (t2 - t1) / 2};
}

CDiskCircle PlaceFromPair(const CDPoint& a, const CDPoint& b, double rv, double ra, double rb) {
    // In the frame that carries B to the disk's centre, A lies at distance m; turning by
    // theta would bring it onto the +y axis.
    CDPoint u = a;
    u.MoveToOrigin(b);
    double theta = QuarterTurn - u.Arg();
    double m = u.Abs();

    double c1 = DiskShift(m, rv + ra);
    double d1 = DiskShift(m, -(rv + ra));
    double d = (c1 + d1) / 2;
    double f = (c1 - d1) / 2;
    double e = DiskShift(0, rv + rb);

    CDPoint w = IntersectCircles(d, f, e);
    w.Rotate(-theta);
    w.MoveFromOrigin(b);
    return EuclideanCircle(w, rv);
}

CDiskCircle EuclideanCircle(const CDPoint& w, double r) {
    double g = w.Abs();
    double h = DiskShift(g, r);
    double l = DiskShift(g, -r);
    CDPoint centre(0, (h + l) / 2);
    centre.Rotate(w.Arg() - QuarterTurn);
    return {w, centre, (h - l) / 2};
}
