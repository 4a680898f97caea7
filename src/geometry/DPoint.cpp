// Plane and disk arithmetic of CDPoint, and the disk distance functions.
#include "geometry/DPoint.h"

#include <cmath>
#include <limits>

TESSEL_IMPLEMENT_DYNCREATE(CDPoint, CObject)

CDPoint& CDPoint::operator=(const CDPoint& p) {
    Set(p);
    return *this;
}

double CDPoint::Distance(double px, double py) const {
    double dx = x - px;
    double dy = y - py;
    return std::sqrt(dx * dx + dy * dy);
}

double CDPoint::Abs() const {
    return std::sqrt(x * x + y * y);
}

double CDPoint::Arg() const {
    return std::atan2(y, x);
}

double RoundHalfAway(double v) {
    double i = 0.0;
    double f = std::modf(v, &i);
    if (f >= 0) {
        return f >= 0.5 ? i + 1 : i;
    }
    return f <= -0.5 ? i - 1 : i;
}

// A rounded value outside the 32-bit range, or not a number, would make the conversion
// undefined; such values come only from damaged files and are pinned to the nearest pixel.
std::int32_t RoundToPixel(double v) {
    double r = RoundHalfAway(v);
    if (std::isnan(r)) {
        return 0;
    }
    if (r <= std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (r >= std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(r);
}

IntPoint CDPoint::ToPoint() const {
    return {RoundToPixel(x), RoundToPixel(y)};
}

void CDPoint::Rotate(double theta) {
    double c = std::cos(theta);
    double s = std::sin(theta);
    Set(x * c - y * s, x * s + y * c);
}

void CDPoint::MoveToOrigin(const CDPoint& a) {
    CDPoint n = *this - a;
    CDPoint conjA(a.x, -a.y);
    CDPoint d = conjA.ComplexMul(*this);
    d = CDPoint(-d.x, -d.y);
    d.x = d.x + 1;
    Set(n.ComplexDiv(d));
}

void CDPoint::MoveFromOrigin(const CDPoint& a) {
    CDPoint n = *this + a;
    CDPoint conjA(a.x, -a.y);
    CDPoint d = conjA.ComplexMul(*this);
    d.x = d.x + 1;
    Set(n.ComplexDiv(d));
}

CDPoint CDPoint::ComplexMul(const CDPoint& p) const {
    return {x * p.x - y * p.y, x * p.y + y * p.x};
}

CDPoint CDPoint::ComplexDiv(const CDPoint& p) const {
    CDPoint product = ComplexMul(CDPoint(p.x, -p.y));
    double norm = p.x * p.x + p.y * p.y;
    return {product.x / norm, product.y / norm};
}

// Both functions branch on the sign of b so that the exponential never exceeds 1: boundary
// radii of several tens would otherwise overflow.
double DiskDistance(double a, double b) {
    if (b >= 0) {
        double e = std::exp(-b);
        return (a - e) / (a + e);
    }
    double e = std::exp(b);
    return (a * e - 1) / (a * e + 1);
}

double DiskShift(double a, double b) {
    if (b >= 0) {
        double e = std::exp(-b);
        return ((1 + a) - e * (1 - a)) / ((1 + a) + e * (1 - a));
    }
    double e = std::exp(b);
    return (e * (1 + a) - 1 + a) / (e * (1 + a) + 1 - a);
}
