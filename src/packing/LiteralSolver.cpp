// The literal reference solver.
#include "packing/LiteralSolver.h"

#include "circles/CPCircle.h"
#include "model/CPNodeArray.h"
#include "packing/AngleSum.h"

void SolveRadiusLiteral(CCPNode& node) {
    if (!node.m_circle) {
        return;
    }
    double& radius = node.m_circle->m_radius;
    radius = SearchRadius(radius, EffectiveThreshold(CCPNode::m_threshold), [&](double r) {
        radius = r;
        return node.AngleSumError();
    });
}

void SolveRadiiLiteral(CCPNodeArray& nodes) {
    for (int sweep = 0; sweep < CCPNodeArray::m_sweeps; ++sweep) {
        for (CCPNode* node : nodes.m_array) {
            SolveRadiusLiteral(*node);
        }
    }
}
