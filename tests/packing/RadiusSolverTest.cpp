// The radius solver on the model: a node's angles and search, the sweeps, and the fast solver
// against the literal one on whole graphs.
#include "document/GraphBuilder.h"
#include "packing/LiteralSolver.h"
#include "packing/PackingFixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

class RadiusSolver : public ::testing::Test {
protected:
    void TearDown() override { CCPNode::ResetDefaults(); }
    CTesselDoc doc;
};

bool IsPowerOfTwo(double v) {
    int exponent = 0;
    return std::frexp(v, &exponent) == 0.5;
}

} // namespace

TEST_F(RadiusSolver, CosAngleOfUnitRadiiAndItsIndices) {
    BuildOneInnerFan(doc);
    CCPNode* p = doc.GetNodeAt(0);
    EXPECT_NEAR(p->CosAngle(0, 1), 0.790012829192987, 1e-15);
    EXPECT_NEAR(std::acos(p->CosAngle(1, -1)), 0.659966404215799, 1e-15);
    // A negative second index means the next neighbour, cyclically.
    p->GetNeighbour(0)->m_circle->m_radius = 2.0;
    EXPECT_EQ(p->CosAngle(2, -1), p->CosAngle(2, 0));
    EXPECT_NE(p->CosAngle(2, -1), p->CosAngle(1, 2));
    EXPECT_TRUE(std::isnan(p->CosAngle(0, 7)));
}

TEST_F(RadiusSolver, OneSolveEndsAtTheKnownRadii) {
    BuildOneInnerFan(doc);
    doc.GetNodeAt(0)->SolveRadius();
    EXPECT_EQ(doc.GetNodeAt(0)->m_circle->m_radius, 0.11273193359375);

    ASSERT_TRUE(BuildHexDisk(doc, 1));
    std::vector<CCPNode*> inner = InnerNodes(doc);
    ASSERT_EQ(inner.size(), 1u);
    inner[0]->SolveRadius();
    EXPECT_EQ(inner[0]->m_circle->m_radius, 0.590179443359375);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(std::acos(inner[0]->CosAngle(i, -1)), std::numbers::pi / 3, 1e-4 / 6);
    }
    SetAllRadii(doc, 1.0);
    for (CCPNode* node : doc.m_nodes.m_array) {
        if (node->m_kind == Outer) {
            node->SolveRadius();
            EXPECT_EQ(node->m_circle->m_radius, 16.0);
            node->m_circle->m_radius = 1.0;
        }
    }
}

TEST_F(RadiusSolver, ASolvedNodeKeepsItsRadiusAndThresholdsBelowZeroMeanTheBuiltInOne) {
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    CCPNode* centre = InnerNodes(doc)[0];
    centre->m_circle->m_radius = 0.590179443359375;
    centre->SolveRadius();
    EXPECT_EQ(centre->m_circle->m_radius, 0.590179443359375);

    for (double threshold : {0.0, -1.0}) {
        CCPNode::m_threshold = threshold;
        centre->m_circle->m_radius = 1.0;
        centre->SolveRadius();
        EXPECT_EQ(centre->m_circle->m_radius, 0.590179443359375);
    }
}

// One inner node with three outer neighbours, from radii 1.0: the outer radii only double,
// the inner one is solved against the grown neighbours again in later sweeps.
TEST_F(RadiusSolver, SweepsOfTheSmallestPackableGraph) {
    BuildOneInnerFan(doc);
    doc.m_nodes.SolveRadii();
    CCPNode* p = doc.GetNodeAt(0);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        if (node != p) {
            EXPECT_TRUE(IsPowerOfTwo(node->m_circle->m_radius)) << node->m_circle->m_radius;
            EXPECT_GE(node->m_circle->m_radius, 16.0);
            EXPECT_LT(node->AngleSumError(), 1e-4);
        }
    }
    EXPECT_LT(std::fabs(p->AngleSumError()), 1e-4);
    EXPECT_NE(p->m_circle->m_radius, 0.11273193359375);

    doc.m_nodes.ResetRadii();
    for (double r : Radii(doc)) {
        EXPECT_EQ(r, 1.0);
    }
}

// The fast solver must give the literal solver's radii, to the last bit, on whole graphs.
TEST_F(RadiusSolver, FastSweepsEqualLiteralSweeps) {
    for (int graph = 0; graph < 2; ++graph) {
        ASSERT_TRUE(graph == 0 ? BuildHexDisk(doc, 6) : BuildRandomDisk(doc, 200, 5));
        CTesselDoc twin;
        ASSERT_TRUE(graph == 0 ? BuildHexDisk(twin, 6) : BuildRandomDisk(twin, 200, 5));
        for (int run = 0; run < 3; ++run) {
            doc.m_nodes.SolveRadii();
            SolveRadiiLiteral(twin.m_nodes);
            ASSERT_EQ(Radii(doc), Radii(twin)) << "graph " << graph << " run " << run;
        }
    }
}
