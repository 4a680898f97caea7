// Small graphs for the packing tests.
#include "packing/PackingFixtures.h"

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
