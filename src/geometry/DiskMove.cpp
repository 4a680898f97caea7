// Disk isometries as matrices [[a, b], [conj(b), conj(a)]] of determinant |a|^2 - |b|^2 = 1.
#include "geometry/DiskMove.h"

#include <cmath>

namespace {

using Complex = CDiskMove::Complex;
using Wide = long double;

Complex Widen(const CDPoint& p) {
    return {p.x, p.y};
}

CDPoint Narrow(const Complex& z) {
    return {double(z.real()), double(z.imag())};
}

} // namespace

CDiskMove::CDiskMove(Complex a, Complex b) {
    // Scaled back to determinant 1 so that long chains of moves neither grow nor shrink it.
    Wide determinant = std::norm(a) - std::norm(b);
    Wide scale = determinant > 0 ? 1 / std::sqrt(determinant) : 1;
    m_a = a * scale;
    m_b = b * scale;
}

CDiskMove CDiskMove::Rotation(double radians) {
    Wide half = Wide(radians) / 2;
    return {Complex(std::cos(half), std::sin(half)), 0};
}

CDiskMove CDiskMove::FromOrigin(const CDPoint& c) {
    return {1, Widen(c)};
}

CDiskMove CDiskMove::ToOrigin(const CDPoint& c) {
    return {1, -Widen(c)};
}

CDiskMove CDiskMove::Along(const CDPoint& a, const CDPoint& b) {
    CDiskMove toOrigin = ToOrigin(a);
    CDPoint d = toOrigin.Apply(b);
    return toOrigin.Then(FromOrigin(d)).Then(FromOrigin(a));
}

CDiskMove CDiskMove::Then(const CDiskMove& next) const {
    return {next.m_a * m_a + next.m_b * std::conj(m_b), next.m_a * m_b + next.m_b * std::conj(m_a)};
}

CDiskMove CDiskMove::Inverse() const {
    return {std::conj(m_a), -m_b};
}

Complex CDiskMove::Apply(const Complex& z) const {
    return (m_a * z + m_b) / (std::conj(m_b) * z + std::conj(m_a));
}

CDPoint CDiskMove::Apply(const CDPoint& z) const {
    return Narrow(Apply(Widen(z)));
}

// For the map (a z + b) / (g z + d) the circle |z - e| = r goes to the circle of radius
// r |ad - bg| / D and centre ((a e + b) conj(g e + d) - a conj(g) r^2) / D, with
// D = |g e + d|^2 - |g|^2 r^2, which is positive while the circle keeps off the pole
// -d / g, outside the closed disk.
void CDiskMove::ApplyToCircle(const CDPoint& centre, double radius, CDPoint& movedCentre,
                              double& movedRadius) const {
    const Complex e = Widen(centre);
    const Wide r = radius;
    const Complex g = std::conj(m_b);
    const Complex q = g * e + std::conj(m_a);
    const Wide denominator = std::norm(q) - std::norm(g) * r * r;
    movedRadius = double(r / denominator); // the determinant is 1
    movedCentre = Narrow(((m_a * e + m_b) * std::conj(q) - m_a * m_b * r * r) / denominator);
}

Complex CDiskMove::Centre() const {
    return m_b / std::conj(m_a);
}

Complex CDiskMove::Turn() const {
    return m_a / std::conj(m_a);
}

long double CDiskMove::Room() const {
    return 1 / std::norm(m_a);
}

bool CDiskMove::Inside(const CDPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && p.x * p.x + p.y * p.y < 1;
}
