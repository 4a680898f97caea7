// The angle of a triangle of three mutually tangent circles of the hyperbolic plane at one
// circle's centre, and how it changes with each radius, in a form that stays exact from
// radii of 1e-300 to horocycles.
//
// With E(x) = 1 - e^(-2x) and m(x) = e^(-x), every sinh in the half-angle forms
//     sin^2(alpha/2) = sinh b sinh c / (sinh(a+b) sinh(a+c)),
//     cos^2(alpha/2) = sinh a sinh(a+b+c) / (sinh(a+b) sinh(a+c))
// is E(x) / (2 m(x)), the common denominator cancels, and
//     tan(alpha/2) = m(a) sqrt(E(b) E(c)) / sqrt(E(a) E(a+b+c)).
// E of a sum comes from the parts by E(x+y) = E(x) + E(y) - E(x) E(y), which subtracts
// nothing of its own size, and m of a sum is a product, so no form loses digits for tiny or
// huge radii, the angle through atan2 keeps them at both ends of [0, pi], and a horocycle
// (E = 1, m = 0) needs no case of its own.
#pragma once

#include <algorithm>
#include <cmath>

// What the angle formulas need of one radius r: 1 - e^(-2r) and e^(-r). A horocycle (an
// infinite radius) has {1, 0}; a tiny radius keeps its digits in e, where e^(-2r) itself
// would round to 1.
template <class T> struct CRadiusTermsOf {
    T e = 1;
    T m = 0;
};
using CRadiusTerms = CRadiusTermsOf<double>;
using CWideRadiusTerms = CRadiusTermsOf<long double>;

inline CRadiusTerms RadiusTerms(double r) {
    return {-std::expm1(-2 * r), std::exp(-r)};
}

inline CWideRadiusTerms WideRadiusTerms(long double r) {
    return {-std::expm1(-2 * r), std::exp(-r)};
}

// sinh r from its terms; infinite for a horocycle.
inline double SinhOf(const CRadiusTerms& t) {
    return t.e / (2 * t.m);
}

// The two sides of tan(alpha/2) and E(a+b+c). Square roots are taken one by one, so that
// radii down to 1e-300 do not underflow in products.
template <class T> struct CHalfAngle {
    T x = 0; // sqrt(E(a) E(a+b+c))
    T y = 0; // m(a) sqrt(E(b) E(c))
    T es = 0;
};

template <class T>
CHalfAngle<T> HalfAngle(const CRadiusTermsOf<T>& a, const CRadiusTermsOf<T>& b,
                        const CRadiusTermsOf<T>& c) {
    T eab = a.e + b.e - a.e * b.e;
    T es = eab + c.e - eab * c.e;
    return {std::sqrt(a.e) * std::sqrt(es), a.m * std::sqrt(b.e) * std::sqrt(c.e), es};
}

// The angle at the centre of circle a between the centres of b and c.
template <class T>
T TriangleAngle(const CRadiusTermsOf<T>& a, const CRadiusTermsOf<T>& b,
                const CRadiusTermsOf<T>& c) {
    CHalfAngle<T> h = HalfAngle(a, b, c);
    return 2 * std::atan2(h.y, h.x);
}

// The angles of a fan added up, less a full turn. The complex number x + iy of each
// triangle turns by its half angle, so their product turns by half the angle sum: one atan2
// per fan replaces one per triangle (the dearest part of a long double evaluation), and the
// error comes out directly instead of as the difference of two numbers near 2 pi.
template <class T> class CFanTurn {
public:
    void Add(const CHalfAngle<T>& h) {
        T re = m_re * h.x - m_im * h.y;
        T im = m_re * h.y + m_im * h.x;
        // Each half angle lies in [0, pi/2]: keeping the product in the upper half plane
        // counts the half turns it has made.
        if (im < 0 || (im == 0 && re < 0)) {
            re = -re;
            im = -im;
            ++m_halfTurns;
        }
        // Tiny radii have tiny x; scaling keeps a long product from underflowing.
        T scale = std::max(std::fabs(re), std::fabs(im));
        m_re = re / scale;
        m_im = im / scale;
    }

    T Error() const {
        const T pi = T(3.141592653589793238462643383279502884L);
        if (m_halfTurns == 0) {
            return 2 * std::atan2(-m_im, -m_re);
        }
        return 2 * ((m_halfTurns - 1) * pi + std::atan2(m_im, m_re));
    }

private:
    T m_re = 1;
    T m_im = 0;
    int m_halfTurns = 0;
};

// The angle with its derivatives by the radii a, b and c.
struct CAngleSlopes {
    CHalfAngle<double> half;
    double bySelf = 0;   // d alpha / d a: negative
    double byFirst = 0;  // d alpha / d b: positive
    double bySecond = 0; // d alpha / d c: positive
};

CAngleSlopes TriangleAngleSlopes(const CRadiusTerms& a, const CRadiusTerms& b,
                                 const CRadiusTerms& c);
