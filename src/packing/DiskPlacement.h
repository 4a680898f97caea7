// Where a circle of the packing lies in the Poincaré disk: its hyperbolic centre and the
// Euclidean circle that represents it, for the first two circles and for a circle tangent to
// two circles already placed.
#pragma once

#include "geometry/DPoint.h"

struct CDiskCircle {
    CDPoint diskCentre;   // the hyperbolic centre, as a point of the unit disk
    CDPoint euclidCentre; // centre of the Euclidean circle drawn for it
    double euclidRadius = 0.0;
};

// The first circle, of hyperbolic radius r, centred at the disk's centre.
CDiskCircle PlaceAtCentre(double r);

// The second circle, of radius rQ, tangent to the first (radius rP) straight along +y.
CDiskCircle PlaceAlongY(double rP, double rQ);

// A circle of radius rv tangent to the circles A (centre a, radius ra) and B (centre b,
// radius rb), on the side that keeps the triangle v, A, B in the positive sense. When
// rounding leaves the two tangency conditions a hair short of meeting, the circles are
// taken as touching rather than giving an undefined centre. Computed in long double.
CDiskCircle PlaceFromPair(const CDPoint& a, const CDPoint& b, double rv, double ra, double rb);

// The Euclidean circle of the hyperbolic circle of radius r centred at the disk point w.
CDiskCircle EuclideanCircle(const CDPoint& w, double r);
