// CDPoint: a point or vector of the plane in doubles, also a complex number in the unit disk.
#pragma once

#include "geometry/IntGeometry.h"
#include "geometry/Object.h"

class CDPoint : public CObject {
    TESSEL_DECLARE_DYNCREATE(CDPoint)

public:
    // The origin; the archive fills the coordinates in when it loads a point.
    CDPoint() = default;
    CDPoint(double x, double y) : y(y), x(x) {}
    CDPoint(const CDPoint& p) = default;
    explicit CDPoint(IntPoint pt) : y(pt.y), x(pt.x) {}

    void Set(double px, double py) {
        x = px;
        y = py;
    }
    void Set(const CDPoint& p) { Set(p.x, p.y); }
    void Set(IntPoint pt) { Set(pt.x, pt.y); }
    virtual CDPoint& operator=(const CDPoint& p);
    // x, then y, as two 64-bit floats. Defined with the file format (src/document/
    // DocumentFormat.cpp).
    void Serialize(CArchive& ar) override;

    CDPoint operator+(const CDPoint& b) const { return {x + b.x, y + b.y}; }
    CDPoint operator-(const CDPoint& b) const { return {x - b.x, y - b.y}; }
    CDPoint operator*(double s) const { return {s * x, s * y}; }
    CDPoint operator/(double s) const { return {x / s, y / s}; }
    // Exact comparison: there is no tolerance.
    bool operator==(const CDPoint& b) const { return x == b.x && y == b.y; }

    double Distance(const CDPoint& p) const { return Distance(p.x, p.y); }
    double Distance(double px, double py) const;
    double Dot(const CDPoint& p) const { return x * p.x + y * p.y; }
    double Abs() const;
    double Arg() const;
    // Each coordinate as RoundToPixel gives it.
    IntPoint ToPoint() const;

    // Rotation about the origin; positive angles turn from +x towards +y.
    void Rotate(double theta);
    void Conjugate() { y = -y; }
    // The disk isometry z -> (z - a) / (1 - conj(a) z), which carries a to the origin.
    void MoveToOrigin(const CDPoint& a);
    // Its inverse z -> (z + a) / (1 + conj(a) z), which carries the origin to a.
    void MoveFromOrigin(const CDPoint& a);

    CDPoint ComplexMul(const CDPoint& p) const;
    CDPoint ComplexDiv(const CDPoint& p) const;

    // Stored second, read first: the archive and every constructor take x before y.
    double y = 0;
    double x = 0;
};

// Rounds to the nearest integer with halves away from zero (2.5 -> 3, -2.5 -> -3).
double RoundHalfAway(double v);

// RoundHalfAway as a 32-bit integer; values beyond that range are pinned to its ends and
// NaN becomes 0.
std::int32_t RoundToPixel(double v);

// (a e^b - 1) / (a e^b + 1); with a = 1 it is tanh(b/2), the Euclidean distance from the
// disk centre of a point at hyperbolic distance b.
double DiskDistance(double a, double b);

// tanh(artanh(a) + b/2): the coordinate reached from a on a diameter of the unit disk by
// moving a hyperbolic distance b outwards (inwards for negative b).
double DiskShift(double a, double b);
