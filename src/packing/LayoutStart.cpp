// Reading a moved view back from circles or from node positions.
#include "packing/LayoutStart.h"

#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "model/FanIndex.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using Complex = CDiskMove::Complex;

Complex Widen(const CDPoint& p) {
    return {p.x, p.y};
}

bool LaidOut(const CCPNode* node) {
    const CCPCircle* c = node->m_circle;
    return c && c->m_euclidRadius > 0 && std::isfinite(c->m_euclidRadius) &&
           std::isfinite(c->m_diskCentre.x) && std::isfinite(c->m_diskCentre.y);
}

// The start that puts `centre` at w with `up` seen from it in the direction of `toward`
// (a point of the closed disk other than w).
CLayoutStart StartAt(int centre, int up, Complex w, Complex toward) {
    CDPoint place(double(w.real()), double(w.imag()));
    Complex seen = CDiskMove::ToOrigin(place).Apply(toward);
    if (!(std::abs(seen) > 0) || !CDiskMove::Inside(place)) {
        return {};
    }
    double turn = double(std::arg(seen)) - std::numbers::pi / 2;
    return {centre, up, CDiskMove::Rotation(turn).Then(CDiskMove::FromOrigin(place))};
}

// The hyperbolic centre of the hyperbolic circle of radius r whose Euclidean circle is
// centred at e: on the ray through e at the g with e = g (1 - t^2) / (1 - g^2 t^2),
// t = tanh(r / 2), the root of a quadratic taken in the form that never cancels.
Complex HyperbolicCentre(Complex e, long double r) {
    long double t = std::tanh(r / 2);
    long double flat = 1 - t * t;
    long double m = std::abs(e);
    long double g = 2 * m / (flat + std::sqrt(flat * flat + 4 * m * m * t * t));
    return m > 0 ? e * (g / m) : Complex(0);
}

} // namespace

CLayoutStart StartFromCircles(const CCPNodeArray& nodes, const CFanIndex& fans) {
    int centre = -1;
    double nearest = std::numeric_limits<double>::infinity();
    for (int i = 0; i < fans.Size(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        if (fans.IsInner(i) && LaidOut(node) && node->m_circle->m_diskCentre.Abs() < nearest) {
            nearest = node->m_circle->m_diskCentre.Abs();
            centre = i;
        }
    }
    for (int p = 0; centre >= 0 && p < fans.Degree(centre); ++p) {
        const int up = fans.Neighbour(centre, p);
        if (LaidOut(nodes.m_array[up])) {
            return StartAt(centre, up, Widen(nodes.m_array[centre]->m_circle->m_diskCentre),
                           Widen(nodes.m_array[up]->m_circle->m_diskCentre));
        }
    }
    return {};
}

CLayoutStart StartFromPositions(const CCPNodeArray& nodes, const CFanIndex& fans,
                                const std::vector<long double>& radii, double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) {
        return {};
    }
    auto place = [&](int i) { return Widen(*nodes.m_array[i]) / (long double)scale; };
    int centre = -1;
    long double nearest = std::numeric_limits<long double>::infinity();
    for (int i = 0; i < fans.Size(); ++i) {
        if (fans.IsInner(i) && std::abs(place(i)) < nearest) {
            nearest = std::abs(place(i));
            centre = i;
        }
    }
    if (centre < 0 || !(nearest < 1)) {
        return {};
    }
    int up = -1;
    for (int p = 0; p < fans.Degree(centre) && up < 0; ++p) {
        up = fans.IsInner(fans.Neighbour(centre, p)) ? fans.Neighbour(centre, p) : -1;
    }
    Complex w = HyperbolicCentre(place(centre), radii[centre]);
    if (up >= 0) {
        return StartAt(centre, up, w, HyperbolicCentre(place(up), radii[up]));
    }
    // Only boundary neighbours: their horocycles touch the rim in the direction of their
    // Euclidean centres.
    up = fans.Degree(centre) > 0 ? fans.Neighbour(centre, 0) : -1;
    Complex rim = up >= 0 ? place(up) : Complex(0);
    return std::abs(rim) > 0 ? StartAt(centre, up, w, rim / std::abs(rim)) : CLayoutStart{};
}
