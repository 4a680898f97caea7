// The slopes of a tangent-circle triangle's angle.
#include "packing/TriangleAngle.h"

// With L(x) = d ln E(x) / dx = 2 m(x)^2 / E(x) and s = a + b + c:
//     d alpha / d a = sin alpha (-1 - L(a)/2 - L(s)/2),
//     d alpha / d b = sin alpha (L(b) - L(s)) / 2, and likewise for c.
CAngleSlopes TriangleAngleSlopes(const CRadiusTerms& a, const CRadiusTerms& b,
                                 const CRadiusTerms& c) {
    CHalfAngle<double> h = HalfAngle(a, b, c);
    double sine = 2 * h.x * h.y / (h.x * h.x + h.y * h.y);
    double ms = a.m * b.m * c.m;
    double halfLs = ms * ms / h.es;
    return {h, sine * (-1 - a.m * a.m / a.e - halfLs), sine * (b.m * b.m / b.e - halfLs),
            sine * (c.m * c.m / c.e - halfLs)};
}
