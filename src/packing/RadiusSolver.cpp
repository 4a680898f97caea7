// The radius solver: each node's angle sum, its radius search, and the sweeps over all nodes.
#include "circles/CPCircle.h"
#include "model/CPEdge.h"
#include "model/CPNodeArray.h"
#include "packing/AngleSum.h"

#include <vector>

namespace {

// The radii of the node's neighbours in fan order, in a buffer reused from call to call so
// that the solver allocates nothing once it has warmed up; nullptr when the node, an edge or
// a circle is missing, which only a damaged graph can cause.
const std::vector<double>* NeighbourRadii(const CCPNode& node) {
    thread_local std::vector<double> radii;
    int k = node.GetEdgeCount();
    radii.resize(k);
    for (int i = 0; i < k; ++i) {
        CCPNode* neighbour = node.GetNeighbour(i);
        if (!neighbour || !neighbour->m_circle) {
            return nullptr;
        }
        radii[i] = neighbour->m_circle->m_radius;
    }
    return node.m_circle ? &radii : nullptr;
}

} // namespace

double CCPNode::CosAngle(int i, int j) const {
    int k = GetEdgeCount();
    if (j < 0 && k > 0) {
        j = (i + 1) % k;
    }
    CCPNode* first = GetNeighbour(i);
    CCPNode* second = GetNeighbour(j);
    if (!m_circle || !first || !second || !first->m_circle || !second->m_circle) {
        return std::nan("");
    }
    return HyperbolicCosAngle(m_circle->m_radius, first->m_circle->m_radius,
                              second->m_circle->m_radius);
}

double CCPNode::AngleSumError() const {
    const std::vector<double>* radii = NeighbourRadii(*this);
    return radii ? FanAngleSumError(m_circle->m_radius, *radii, m_kind == Inner) : std::nan("");
}

void CCPNode::SolveRadius() {
    thread_local CFanAngles fan;
    const std::vector<double>* radii = NeighbourRadii(*this);
    if (!radii) {
        return;
    }
    fan.Prepare(*radii, m_kind == Inner);
    m_circle->m_radius = SearchRadius(m_circle->m_radius, EffectiveThreshold(m_threshold),
                                      [](double r) { return fan.AngleSumError(r); });
}

bool CCPNodeArray::SolveRadii(const SweepCheck& carryOn) {
    for (int sweep = 0; sweep < m_sweeps; ++sweep) {
        for (CCPNode* node : m_array) {
            node->SolveRadius();
        }
        if (carryOn && !carryOn(sweep + 1)) {
            return false;
        }
    }
    return true;
}

void CCPNodeArray::ResetRadii() {
    for (CCPNode* node : m_array) {
        if (node->m_circle) {
            node->m_circle->m_radius = 1.0;
        }
    }
}
