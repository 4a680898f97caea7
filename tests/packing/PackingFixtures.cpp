// Small graphs for the packing tests.
#include "packing/PackingFixtures.h"

#include "model/CPEdge.h"

#include <gtest/gtest.h>

void BuildOneInnerFan(CTesselDoc& doc) {
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    ASSERT_TRUE(doc.ConnectNode(doc.GetNodeAt(0)));
    ASSERT_EQ(doc.GetNodeAt(0)->m_kind, Inner);
    ASSERT_EQ(doc.GetNodeAt(0)->GetEdgeCount(), 3);
}

std::vector<CCPNode*> InnerNodes(const CTesselDoc& doc) {
    std::vector<CCPNode*> inner;
    for (CCPNode* node : doc.m_nodes.m_array) {
        if (node->m_kind == Inner) {
            inner.push_back(node);
        }
    }
    return inner;
}

std::vector<double> Radii(const CTesselDoc& doc) {
    std::vector<double> radii;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        radii.push_back(node->m_circle->m_radius);
    }
    return radii;
}

void SetAllRadii(CTesselDoc& doc, double radius) {
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->m_circle->m_radius = radius;
    }
}

namespace {

// Inserts the edge into the node's list just after the edge to `after`.
void InsertAfter(CCPNode* node, const CCPNode* after, CCPEdge* edge) {
    int at = node->IndexOfNeighbour(after);
    EXPECT_GE(at, 0);
    node->m_edges.insert(node->m_edges.begin() + at + 1, edge);
}

} // namespace

CCPNode* InsertNodeInTriangle(CTesselDoc& doc, CCPNode* a, CCPNode* b, CCPNode* c) {
    auto* x = new CCPNode((a->x + b->x + c->x) / 3, (a->y + b->y + c->y) / 3, Inner, 0);
    doc.m_nodes.Add(x);
    CCPNode* corners[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        CCPNode* corner = corners[i];
        auto* edge = new CCPEdge(corner, x);
        doc.m_edges.Add(edge);
        // Around a the new edge comes between b and c, around b between c and a, around c
        // between a and b.
        InsertAfter(corner, corners[(i + 1) % 3], edge);
        x->AddEdge(edge);
    }
    doc.RecomputeStates();
    return x;
}
