// Pack to Convergence: converged packings as geometry, agreement with the limit of Circle
// Packing, crowded disks, refusal, cancel, and Circle Packing after it.
#include "packing/ConvergedPacking.h"

#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "model/FanIndex.h"
#include "model/GraphInvariants.h"
#include "packing/PackingErrors.h"
#include "packing/PackingFixtures.h"
#include "support/PackingGeometry.h"
#include "support/StripDisk.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class ConvergedPacking : public ::testing::Test {
protected:
    void TearDown() override { CCPNode::ResetDefaults(); }

    CConvergedPacking Pack(double tolerance = 1e-12) {
        CConvergedPacking outcome;
        std::string refusal;
        EXPECT_TRUE(doc.PackToConvergence(tolerance, {}, outcome, &refusal)) << refusal;
        return outcome;
    }

    void ExpectConverged(const CConvergedPacking& outcome) {
        EXPECT_EQ(outcome.status, NewtonStatus::Converged);
        EXPECT_LE(outcome.error, 1e-12);
        CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
        EXPECT_TRUE(g.Holds(1e-9, 1e-12)) << g.Describe();
        EXPECT_EQ(doc.m_circles.GetCount(), doc.m_nodes.GetSize());
        EXPECT_EQ(*doc.m_nodes.FindStartNode(), CDPoint(0, 0));
    }

    CTesselDoc doc;
};

// A hexagonal disk's corners: boundary nodes with a single inner neighbour, whose circles
// grow largest.
bool HasBoundaryNodeWithOneInnerNeighbour(const CTesselDoc& doc) {
    return std::any_of(
        doc.m_nodes.m_array.begin(), doc.m_nodes.m_array.end(),
        [](const CCPNode* n) { return n->m_kind == Outer && n->GetEdgeCount() == 3; });
}

bool HasInnerNodeOfDegreeThree(const CTesselDoc& doc) {
    return std::any_of(
        doc.m_nodes.m_array.begin(), doc.m_nodes.m_array.end(),
        [](const CCPNode* n) { return n->m_kind == Inner && n->GetEdgeCount() == 3; });
}

} // namespace

TEST_F(ConvergedPacking, HexAndRandomDisksCloseToTheToleranceAsGeometry) {
    BuildOneInnerFan(doc);
    ExpectConverged(Pack());
    ASSERT_TRUE(BuildHexDisk(doc, 8));
    EXPECT_TRUE(HasBoundaryNodeWithOneInnerNeighbour(doc));
    ExpectConverged(Pack());
    for (unsigned seed : {1u, 2u}) {
        ASSERT_TRUE(BuildRandomDisk(doc, 400, seed));
        EXPECT_TRUE(HasInnerNodeOfDegreeThree(doc));
        CConvergedPacking outcome = Pack();
        ExpectConverged(outcome);
        EXPECT_LE(outcome.iterations, 12);
    }
}

// Circle Packing repeated at a fine threshold approaches the same packing.
TEST_F(ConvergedPacking, AgreesWithTheLimitOfCirclePacking) {
    ASSERT_TRUE(BuildHexDisk(doc, 10));
    CCPNode::m_threshold = 1e-13;
    for (int run = 0; run < 2000 && !(MeasurePackingErrors(doc.m_nodes).innerError < 1e-10);
         ++run) {
        ASSERT_TRUE(doc.RunPacking());
    }
    ASSERT_LT(MeasurePackingErrors(doc.m_nodes).innerError, 1e-10);
    std::vector<CDiskCircle> sweeps;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        sweeps.push_back({node->m_circle->m_diskCentre, node->m_circle->m_euclidCentre,
                          node->m_circle->m_euclidRadius});
    }
    Pack();
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        const CCPNode* node = doc.GetNodeAt(i);
        if (node->m_kind != Inner) {
            continue;
        }
        EXPECT_NEAR(node->m_circle->m_euclidCentre.x, sweeps[i].euclidCentre.x, 1e-7) << i;
        EXPECT_NEAR(node->m_circle->m_euclidCentre.y, sweeps[i].euclidCentre.y, 1e-7) << i;
        EXPECT_NEAR(node->m_circle->m_euclidRadius, sweeps[i].euclidRadius, 1e-7) << i;
    }
}

// Circles crowded into one corner by nested triangles get hyperbolic radii below 1e-8, where
// forms in e^-r lose every digit: the packing must still close and touch (as finely as disk
// coordinates of about 0.1 resolve circles of radius 1e-9).
TEST_F(ConvergedPacking, CrowdedCirclesKeepTheirDigits) {
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    CCPNode* a = doc.GetNodeAt(0);
    CCPNode* b = a->GetNeighbour(0);
    CCPNode* c = a->GetNeighbour(1);
    CCPNode* previous = b;
    CCPNode* x = InsertNodeInTriangle(doc, a, b, c);
    for (int level = 0; level < 16; ++level) {
        // The newest circle, the one before and c bound the next gap, which shrinks by a
        // constant factor each time; the three are taken in the sense of x's fan.
        int at = x->IndexOfNeighbour(previous);
        bool cFollows = x->GetNeighbour((at + 1) % x->GetEdgeCount()) == c;
        CCPNode* next = cFollows ? InsertNodeInTriangle(doc, x, previous, c)
                                 : InsertNodeInTriangle(doc, x, c, previous);
        previous = x;
        x = next;
    }
    ASSERT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
    CConvergedPacking outcome = Pack();
    EXPECT_EQ(outcome.status, NewtonStatus::Converged);
    EXPECT_LT(*std::min_element(outcome.radii.begin(), outcome.radii.end()), 1e-8);
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_TRUE(g.Holds(1e-6, 1e-12)) << g.Describe();
}

TEST_F(ConvergedPacking, RefusedWhileANodeIsNotConnectedAndCancelChangesNothing) {
    doc.NewGraph(300);
    CConvergedPacking outcome;
    std::string refusal;
    EXPECT_FALSE(doc.PackToConvergence(1e-12, {}, outcome, &refusal));
    EXPECT_EQ(refusal, LoadString(ids::kPackingRefused));

    ASSERT_TRUE(BuildHexDisk(doc, 4));
    ASSERT_TRUE(doc.RunPacking());
    doc.SetModifiedFlag(false);
    std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
    std::vector<double> radii = Radii(doc);
    int calls = 0;
    ASSERT_TRUE(doc.PackToConvergence(
        1e-12, [&](int, double) { return ++calls < 2; }, outcome));
    EXPECT_EQ(outcome.status, NewtonStatus::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
    EXPECT_EQ(Radii(doc), radii);
    EXPECT_FALSE(doc.IsModified());
}

// After Pack to Convergence, Circle Packing goes on from its radii: nothing undefined, and
// the circles stay where they are.
TEST_F(ConvergedPacking, CirclePackingContinuesFromTheConvergedRadii) {
    ASSERT_TRUE(BuildRandomDisk(doc, 300, 3));
    Pack();
    EXPECT_EQ(doc.m_topologyChanged, 0);
    std::vector<CDPoint> centres;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        centres.push_back(node->m_circle->m_euclidCentre);
        if (node->m_kind == Outer) {
            double r = node->m_circle->m_radius;
            EXPECT_EQ(r, std::exp2(std::round(std::log2(r)))) << "a power of two";
        }
    }
    ASSERT_TRUE(doc.RunPacking());
    EXPECT_LT(MeasurePackingErrors(doc.m_nodes).innerError, 1e-6);
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        EXPECT_LT(doc.GetNodeAt(i)->m_circle->m_euclidCentre.Distance(centres[i]), 1e-6) << i;
    }
    // A second Pack to Convergence starts from there and needs few steps.
    CConvergedPacking again = Pack();
    EXPECT_LE(again.iterations, 3);
}

// A long strip is centred in its middle, which keeps its far ends as large as they can be;
// the circles there that are still too small for doubles are counted, not refused.
TEST_F(ConvergedPacking, LongStripsAreCentredInTheMiddleAndCountWhatDoublesCannotHold) {
    ASSERT_TRUE(BuildStrip(doc, 3, 41));
    const CCPNode* middle = doc.m_nodes.HitTest(CDPoint(20, 1), 0.1);
    ASSERT_NE(middle, nullptr);
    CConvergedPacking outcome = Pack();
    EXPECT_EQ(outcome.status, NewtonStatus::Converged);
    EXPECT_EQ(outcome.tooSmall, 0);
    EXPECT_LT(middle->Abs(), 1e-9) << "the middle of the strip at the centre";
    // A circle near the rim is placed to a few units in the last place of 1, whatever its
    // radius: that is the tangency a small one can keep.
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    const double placing = 1e-9 + 64 * std::numeric_limits<double>::epsilon() / g.smallestRadius;
    EXPECT_TRUE(g.Holds(placing, placing)) << g.Describe();
    for (bool flipped : {false, true}) {
        ASSERT_TRUE(BuildStrip(doc, 3, 700, flipped));
        outcome = Pack();
        EXPECT_EQ(outcome.status, NewtonStatus::Converged);
        EXPECT_GT(outcome.tooSmall, 0);
        EXPECT_LT(outcome.tooSmall, 2000);
    }
}
