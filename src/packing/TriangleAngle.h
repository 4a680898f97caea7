// The angle of a triangle of three mutually tangent circles of the hyperbolic plane at one
// circle's centre, and how it changes with each radius, in a form that stays exact from
// radii of 1e-300 to horocycles.
#pragma once

// What the angle formulas need of one radius r: 1 - e^(-2r) and e^(-r). A horocycle (an
// infinite radius) has {1, 0}; a tiny radius keeps its digits in e, where e^(-2r) itself
// would round to 1.
struct CRadiusTerms {
    double e = 1.0;
    double m = 0.0;
};

CRadiusTerms RadiusTerms(double r);

// sinh r from its terms; infinite for a horocycle.
double SinhOf(const CRadiusTerms& t);

// The angle at the centre of circle a between the centres of b and c, from the half-angle
// form sin^2(alpha/2) = sinh b sinh c / (sinh(a+b) sinh(a+c)) and its companion
// cos^2(alpha/2) = sinh a sinh(a+b+c) / (sinh(a+b) sinh(a+c)), taken through atan2 so that
// neither end of [0, pi] loses digits.
double TriangleAngle(const CRadiusTerms& a, const CRadiusTerms& b, const CRadiusTerms& c);

// The angle with its derivatives by the radii a, b and c.
struct CAngleSlopes {
    double angle = 0;
    double bySelf = 0;   // d alpha / d a: negative
    double byFirst = 0;  // d alpha / d b: positive
    double bySecond = 0; // d alpha / d c: positive
};

CAngleSlopes TriangleAngleSlopes(const CRadiusTerms& a, const CRadiusTerms& b,
                                 const CRadiusTerms& c);
