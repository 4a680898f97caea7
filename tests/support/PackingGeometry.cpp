// The geometric check of a finished packing.
#include "support/PackingGeometry.h"

#include "circles/CPCircle.h"
#include "model/CPEdgeArray.h"
#include "model/CPNodeArray.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace {

bool Sound(const CCPCircle* c) {
    if (!c) {
        return false;
    }
    const CDPoint& p = c->m_euclidCentre;
    double r = c->m_euclidRadius;
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(r) && r > 0 &&
           p.Abs() + r <= 1 + 1e-12;
}

// Positive when the centres of a, b, c turn in the positive sense.
double Turn(const CCPCircle* a, const CCPCircle* b, const CCPCircle* c) {
    const CDPoint& p = a->m_euclidCentre;
    const CDPoint& q = b->m_euclidCentre;
    const CDPoint& r = c->m_euclidCentre;
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

void MeasureNode(const CCPNode& node, CPackingGeometry& g) {
    const CCPCircle* c = node.m_circle;
    g.unplacedNodes += std::isfinite(node.x) && std::isfinite(node.y) ? 0 : 1;
    ++g.circles;
    if (!Sound(c)) {
        ++g.unsound;
        return;
    }
    g.smallestRadius = std::min(g.smallestRadius, c->m_euclidRadius);
    if (node.m_kind == Outer) {
        double gap = (1 - c->m_euclidCentre.Abs() - c->m_euclidRadius) / c->m_euclidRadius;
        g.worstRimGap = std::max(g.worstRimGap, gap);
    }
    int k = node.GetEdgeCount();
    int pairs = node.m_kind == Inner ? k : k - 1;
    for (int i = 0; i < pairs; ++i) {
        const CCPNode* a = node.GetNeighbour(i);
        const CCPNode* b = node.GetNeighbour((i + 1) % k);
        if (a && b && Sound(a->m_circle) && Sound(b->m_circle) &&
            !(Turn(c, a->m_circle, b->m_circle) > 0)) {
            ++g.flippedTriangles;
        }
    }
}

} // namespace

bool CPackingGeometry::Holds(double tangency, double rimGap) const {
    return unsound == 0 && unplacedNodes == 0 && flippedTriangles == 0 &&
           worstTangency <= tangency && worstRimGap <= rimGap;
}

std::string CPackingGeometry::Describe() const {
    std::ostringstream text;
    text << circles << " circles, " << unsound << " unsound, " << unplacedNodes
         << " unplaced nodes, worst tangency " << worstTangency << ", " << flippedTriangles
         << " flipped triangles, worst rim gap " << worstRimGap << ", smallest radius "
         << smallestRadius;
    return text.str();
}

CPackingGeometry MeasurePackingGeometry(const CCPNodeArray& nodes, const CCPEdgeArray& edges) {
    CPackingGeometry g;
    g.smallestRadius = std::numeric_limits<double>::infinity();
    for (const CCPNode* node : nodes.m_array) {
        MeasureNode(*node, g);
    }
    for (const CCPEdge* edge : edges.m_array) {
        const CCPCircle* a = edge->m_start ? edge->m_start->m_circle : nullptr;
        const CCPCircle* b = edge->m_end ? edge->m_end->m_circle : nullptr;
        if (!Sound(a) || !Sound(b)) {
            continue;
        }
        double gap =
            a->m_euclidCentre.Distance(b->m_euclidCentre) - (a->m_euclidRadius + b->m_euclidRadius);
        double relative = std::fabs(gap) / std::min(a->m_euclidRadius, b->m_euclidRadius);
        g.worstTangency = std::max(g.worstTangency, relative);
    }
    return g;
}
