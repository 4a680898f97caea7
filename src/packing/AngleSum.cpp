// Angle sums of a node's fan: the literal law of cosines and its faster twin.
#include "packing/AngleSum.h"

#include <algorithm>

double EffectiveThreshold(double threshold) {
    return threshold > 0 ? threshold : 0.0001;
}

double HyperbolicCosAngle(double r, double a, double b) {
    double sideA = r + a;
    double sideB = r + b;
    double sideC = a + b;
    double numerator = (std::exp(sideA) + std::exp(-sideA)) * (std::exp(sideB) + std::exp(-sideB)) -
                       2 * (std::exp(sideC) + std::exp(-sideC));
    double denominator =
        (std::exp(sideA) - std::exp(-sideA)) * (std::exp(sideB) - std::exp(-sideB));
    return numerator / denominator;
}

double FanAngleSumError(double r, std::span<const double> radii, bool inner) {
    std::size_t k = radii.size();
    if (k == 0) {
        return 0.0;
    }
    double s = 0.0;
    for (std::size_t i = 0; i + 1 < k; ++i) {
        s += std::acos(HyperbolicCosAngle(r, radii[i], radii[i + 1]));
    }
    if (inner) {
        s = s + std::acos(HyperbolicCosAngle(r, radii[k - 1], radii[0])) - FullTurn;
    }
    return s;
}

void CFanAngles::Prepare(std::span<const double> radii, bool inner) {
    std::size_t k = radii.size();
    m_inner = inner;
    m_exp.resize(k);
    m_expMinus.resize(k);
    m_pairTerm.resize(k);
    for (std::size_t i = 0; i < k; ++i) {
        m_exp[i] = std::exp(radii[i]);
        m_expMinus[i] = std::exp(-radii[i]);
        double sideC = radii[i] + radii[i + 1 < k ? i + 1 : 0];
        m_pairTerm[i] = 2 * (std::exp(sideC) + std::exp(-sideC));
    }
}

// e^(r+a) is formed as e^r · e^a: er and erMinus are e^r and e^-r of the current evaluation.
double CFanAngles::CosineAt(std::size_t i, std::size_t j, double er, double erMinus) const {
    double expA = er * m_exp[i];
    double expAMinus = erMinus * m_expMinus[i];
    double expB = er * m_exp[j];
    double expBMinus = erMinus * m_expMinus[j];
    double cosine = ((expA + expAMinus) * (expB + expBMinus) - m_pairTerm[i]) /
                    ((expA - expAMinus) * (expB - expBMinus));
    // Rounding can carry the cosine of an angle near 0 or a half turn just beyond ±1, which
    // would make the whole sum undefined and freeze the node at a far-off radius.
    return std::clamp(cosine, -1.0, 1.0);
}

double CFanAngles::AngleSumError(double r) const {
    std::size_t k = m_exp.size();
    if (k == 0) {
        return 0.0;
    }
    double er = std::exp(r);
    double erMinus = std::exp(-r);
    double s = 0.0;
    for (std::size_t i = 0; i + 1 < k; ++i) {
        s += std::acos(CosineAt(i, i + 1, er, erMinus));
    }
    if (m_inner) {
        s = s + std::acos(CosineAt(k - 1, 0, er, erMinus)) - FullTurn;
    }
    return s;
}
