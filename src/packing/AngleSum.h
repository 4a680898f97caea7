// The angles of a node's fan of tangent circles in the hyperbolic plane, and the search that
// adjusts the node's radius until those angles close up.
#pragma once

#include <cmath>
#include <span>
#include <vector>

constexpr double FullTurn = 6.283185307179586;

// The convergence threshold the solver applies: values that are not greater than 0 (or not
// numbers) would never end the search sensibly, so they stand for the built-in 0.0001.
double EffectiveThreshold(double threshold);

// Cosine of the angle at the centre of a circle of radius r between the centres of two
// circles of radii a and b that touch it and each other (hyperbolic law of cosines with the
// sides r + a, r + b and a + b), evaluated from six exponentials exactly as it is written.
// It is the reference that the faster CFanAngles must reproduce.
double HyperbolicCosAngle(double r, double a, double b);

// The angle-sum error S of a node of radius r whose neighbours, in fan order, have the given
// radii: the sum of the angles between consecutive neighbours, for an inner node also the
// closing angle between the last and the first neighbour minus a full turn. A node without
// neighbours has S = 0. One HyperbolicCosAngle per angle.
double FanAngleSumError(double r, std::span<const double> radii, bool inner);

// FanAngleSumError against fixed neighbour radii, with every exponential that does not
// depend on r computed once in Prepare: each evaluation then costs one exponential and one
// arc cosine per angle. The arithmetic follows HyperbolicCosAngle term by term, so the sums
// agree with it to rounding; where rounding carries a cosine beyond ±1 (radii far larger
// than their neighbours') it is held at ±1, so the sum stays defined where the literal one
// would not.
class CFanAngles {
public:
    void Prepare(std::span<const double> radii, bool inner);
    double AngleSumError(double r) const;

private:
    double CosineAt(std::size_t i, std::size_t j, double er, double erMinus) const;

    std::vector<double> m_exp;      // e^a of each neighbour
    std::vector<double> m_expMinus; // e^-a of each neighbour
    std::vector<double> m_pairTerm; // 2 (e^C + e^-C) of each angle's opposite side C
    bool m_inner = false;
};

// The radius search of one node: starting from r, double it while the error S(r) is not
// negative, then bisect, with a lower bound that stays 0 until the first bisection. It ends
// when |S| < threshold, when S is not a number, or when the next radius would equal the
// current one (the interval can shrink no further, so a threshold finer than S can resolve
// does not hang the search). Returns the final radius.
template <class AngleSumError>
double SearchRadius(double r, double threshold, AngleSumError&& angleSumError) {
    double lo = 0.0;
    double hi = 0.0;
    bool bisecting = false;
    for (;;) {
        double s = angleSumError(r);
        if (!(std::fabs(s) >= threshold)) {
            return r;
        }
        double next = 0.0;
        if (s < 0) {
            hi = r;
            next = (lo + r) / 2;
            bisecting = true;
        } else if (bisecting) {
            lo = r;
            next = (hi + r) / 2;
        } else {
            next = 2 * r;
        }
        if (next == r) {
            return r;
        }
        r = next;
    }
}
