// Where a circle of the packing lies in the Poincaré disk: its hyperbolic centre and the
// Euclidean circle that represents it, for the first two circles and for a circle tangent to
// two circles already placed.
#pragma once

#include "geometry/DPoint.h"

#include <complex>

struct CDiskCircle {
    CDPoint diskCentre;   // the hyperbolic centre, as a point of the unit disk
    CDPoint euclidCentre; // centre of the Euclidean circle drawn for it
    double euclidRadius = 0.0;
};

// The same in long double, for a layout that carries more digits from circle to circle than
// it finally stores: over chains of thousands of placements the roundings of doubles add up
// to gaps that a picture at a million circles would show.
struct CWideCircle {
    std::complex<long double> diskCentre;
    std::complex<long double> euclidCentre;
    long double euclidRadius = 0.0;
};

CWideCircle Widen(const CDiskCircle& circle);
CDiskCircle Narrow(const CWideCircle& circle);

// How a circle placed from a pair fits its two neighbours.
enum class PairFit {
    TouchesBoth, // tangent to both, on the side that keeps the fan's orientation
    TouchesOne,  // no circle of its radius reaches both: tangent to one, as near the other as
                 // it can be, centred on the geodesic through their centres
    Substitute,  // the pair gave no usable circle: a copy of the smaller of the two
};

// The first circle, of hyperbolic radius r, centred at the disk's centre.
CDiskCircle PlaceAtCentre(double r);

// The second circle, of radius rQ, tangent to the first (radius rP) straight along +y.
CDiskCircle PlaceAlongY(double rP, double rQ);

// A circle of hyperbolic radius rv touching the placed circles a (hyperbolic radius ra) and
// b (rb) from outside, with the triangle v, a, b in the positive sense. Only the Euclidean
// circles of a and b are read, never their hyperbolic centres, so circles whose centres lie
// too close to the rim for a disk coordinate to resolve are placed as exactly as any other;
// an infinite radius stands for a horocycle, the circle touching the unit circle from
// inside. The result is always a finite circle of positive radius inside the closed disk.
CDiskCircle PlaceFromPair(const CDiskCircle& a, double ra, const CDiskCircle& b, double rb,
                          double rv, PairFit* fit = nullptr);
CWideCircle PlaceFromPair(const CWideCircle& a, long double ra, const CWideCircle& b,
                          long double rb, long double rv, PairFit* fit = nullptr);

// The Euclidean circle of the hyperbolic circle of radius r centred at the disk point w.
CDiskCircle EuclideanCircle(const CDPoint& w, double r);
