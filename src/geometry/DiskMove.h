// CDiskMove: an isometry of the Poincaré disk (a Möbius map of the unit disk onto itself),
// which moves a packing without changing its hyperbolic radii or its tangencies.
#pragma once

#include "geometry/DPoint.h"

#include <complex>

// z -> (a z + b) / (conj(b) z + conj(a)) with |a| > |b|, kept in long double so that a
// drag composed afresh at every pointer move, or a chain of moves, adds no visible error.
class CDiskMove {
public:
    using Complex = std::complex<long double>;

    // The identity.
    CDiskMove() = default;

    // Rotation about the disk's centre; positive angles turn from +x towards +y.
    static CDiskMove Rotation(double radians);
    // The translation along the diameter through c that carries the centre to c (|c| < 1).
    static CDiskMove FromOrigin(const CDPoint& c);
    // Its inverse: c to the centre.
    static CDiskMove ToOrigin(const CDPoint& c);
    // The translation along the geodesic through a and b that carries a to b (both inside
    // the disk): a grabbed point that follows the pointer, the rest of the disk turning as
    // little as it can.
    static CDiskMove Along(const CDPoint& a, const CDPoint& b);

    // This move followed by `next`.
    CDiskMove Then(const CDiskMove& next) const;
    CDiskMove Inverse() const;

    Complex Apply(const Complex& z) const;
    CDPoint Apply(const CDPoint& z) const;
    // The image of the Euclidean circle of the given centre and radius, which must lie in
    // the closed disk: a Möbius map takes circles to circles, though not centres to centres.
    void ApplyToCircle(const CDPoint& centre, double radius, CDPoint& movedCentre,
                       double& movedRadius) const;

    // Where the centre goes, and the unit turn u of the move written as z -> T_c(u z) with
    // T_c(z) = (z + c) / (1 + conj(c) z).
    Complex Centre() const;
    Complex Turn() const;
    // 1 - |Centre()|^2, without subtracting near equals.
    long double Room() const;

    // Whether a point of the plane lies strictly inside the unit disk (a finite one).
    static bool Inside(const CDPoint& p);

private:
    CDiskMove(Complex a, Complex b);

    Complex m_a = 1;
    Complex m_b = 0;
};
