// Angles of tangent-circle triangles from the half-angle forms.
//
// With E(x) = 1 - e^(-2x) and m(x) = e^(-x), every sinh in the half-angle forms is
// E(x) / (2 m(x)), the common denominator cancels, and
//     tan(alpha/2) = m(a) sqrt(E(b) E(c)) / sqrt(E(a) E(a+b+c)).
// E of a sum comes from the parts by E(x+y) = E(x) + E(y) - E(x) E(y), which subtracts
// nothing of its own size, and m of a sum is a product, so no form loses digits for tiny or
// huge radii, and a horocycle (E = 1, m = 0) needs no case of its own.
#include "packing/TriangleAngle.h"

#include <cmath>

namespace {

double SumTerm(double ex, double ey) {
    return ex + ey - ex * ey;
}

struct Halves {
    double x = 0; // sqrt(E(a) E(a+b+c)): the cosine side
    double y = 0; // m(a) sqrt(E(b) E(c)): the sine side
    double es = 0;
};

// Square roots taken one by one, so that radii down to 1e-300 do not underflow in products.
Halves HalfAngle(const CRadiusTerms& a, const CRadiusTerms& b, const CRadiusTerms& c) {
    double es = SumTerm(SumTerm(a.e, b.e), c.e);
    return {std::sqrt(a.e) * std::sqrt(es), a.m * std::sqrt(b.e) * std::sqrt(c.e), es};
}

} // namespace

CRadiusTerms RadiusTerms(double r) {
    return {-std::expm1(-2 * r), std::exp(-r)};
}

double SinhOf(const CRadiusTerms& t) {
    return t.e / (2 * t.m);
}

double TriangleAngle(const CRadiusTerms& a, const CRadiusTerms& b, const CRadiusTerms& c) {
    Halves h = HalfAngle(a, b, c);
    return 2 * std::atan2(h.y, h.x);
}

// With L(x) = d ln E(x) / dx = 2 m(x)^2 / E(x):
//     d alpha / d a = sin alpha (-1 - L(a)/2 - L(s)/2),
//     d alpha / d b = sin alpha (L(b) - L(s)) / 2, and likewise for c, where s = a + b + c.
CAngleSlopes TriangleAngleSlopes(const CRadiusTerms& a, const CRadiusTerms& b,
                                 const CRadiusTerms& c) {
    Halves h = HalfAngle(a, b, c);
    double sine = 2 * h.x * h.y / (h.x * h.x + h.y * h.y);
    double ms = a.m * b.m * c.m;
    double halfLs = ms * ms / h.es;
    double halfLa = a.m * a.m / a.e;
    double halfLb = b.m * b.m / b.e;
    double halfLc = c.m * c.m / c.e;
    return {2 * std::atan2(h.y, h.x), sine * (-1 - halfLa - halfLs), sine * (halfLb - halfLs),
            sine * (halfLc - halfLs)};
}
