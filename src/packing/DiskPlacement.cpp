// The disk geometry of placing one circle of the packing.
//
// Boundary circles have hyperbolic radii of about 16, so two of them lie at a hyperbolic
// distance of some 32, where a disk coordinate differs from 1 by about 1e-14 and a double
// keeps only two or three digits of that difference. The placement of a circle from a pair
// is therefore carried out in long double, which keeps boundary circles tangent to a few
// parts in a million instead of a few parts in a thousand; the results are stored as doubles.
#include "packing/DiskPlacement.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

using Wide = long double;
using WidePoint = std::complex<Wide>;

// DiskShift in wide arithmetic, with the same branch on the sign of b so that the
// exponential never exceeds 1.
Wide WideDiskShift(Wide a, Wide b) {
    if (b >= 0) {
        Wide e = std::exp(-b);
        return ((1 + a) - e * (1 - a)) / ((1 + a) + e * (1 - a));
    }
    Wide e = std::exp(b);
    return (e * (1 + a) - 1 + a) / (e * (1 + a) + 1 - a);
}

// The unit vector pointing at z; +x for the origin, whose argument counts as 0.
WidePoint Direction(WidePoint z) {
    Wide length = std::abs(z);
    return length > 0 ? z / length : WidePoint(1, 0);
}

// Rounding can push the cosine of an angle of a triangle that barely closes just outside
// [-1, 1]; the arc cosine would then be undefined.
Wide ClampedAcos(Wide c) {
    return std::acos(std::clamp(c, Wide(-1), Wide(1)));
}

// The intersection with x >= 0 of the circle about (0, d) of radius f and the circle about
// the origin of radius e, computed from the angle at the centre of the larger circle.
WidePoint IntersectCircles(Wide d, Wide f, Wide e) {
    if (f > e) {
        Wide c = (f / d + d / f - e * e / (f * d)) / 2;
        Wide phi = ClampedAcos(c);
        return {f * std::sin(phi), d - f * c};
    }
    Wide c = (e / d + d / e - f * f / (e * d)) / 2;
    Wide psi = ClampedAcos(c);
    return {e * std::sin(psi), e * c};
}

CDPoint Narrow(WidePoint z) {
    return {double(z.real()), double(z.imag())};
}

// The Euclidean circle of the hyperbolic circle of radius r about w: it crosses the ray
// through w at the distances h and l from the disk centre (l < 0 when it holds the centre).
CDiskCircle WideEuclideanCircle(WidePoint w, Wide r) {
    Wide g = std::abs(w);
    Wide h = WideDiskShift(g, r);
    Wide l = WideDiskShift(g, -r);
    return {Narrow(w), Narrow(Direction(w) * ((h + l) / 2)), double((h - l) / 2)};
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
    // In the frame that carries B to the disk's centre (z -> (z - b) / (1 - conj(b) z)), A
    // lies at distance m in the direction of u.
    WidePoint za(a.x, a.y);
    WidePoint zb(b.x, b.y);
    WidePoint u = (za - zb) / (Wide(1) - std::conj(zb) * za);
    Wide m = std::abs(u);

    // Turned so that A lies on the +y axis: the candidates at distance rv + ra from A form
    // the circle about (0, d) of radius f, those at rv + rb from B the circle of radius e.
    Wide sideA = Wide(rv) + ra;
    Wide c1 = WideDiskShift(m, sideA);
    Wide d1 = WideDiskShift(m, -sideA);
    Wide d = (c1 + d1) / 2;
    Wide f = (c1 - d1) / 2;
    Wide e = WideDiskShift(0, Wide(rv) + rb);

    // Turning back takes +y onto u's direction (a rotation by Arg(u) - pi/2), then the
    // inverse isometry z -> (z + b) / (1 + conj(b) z) carries the centre back to B.
    WidePoint w = IntersectCircles(d, f, e) * Direction(u) * WidePoint(0, -1);
    w = (w + zb) / (Wide(1) + std::conj(zb) * w);
    return WideEuclideanCircle(w, rv);
}

CDiskCircle EuclideanCircle(const CDPoint& w, double r) {
    return WideEuclideanCircle(WidePoint(w.x, w.y), r);
}
