// The whole packing run: its refusal, repeated runs, the scale, and finished packings checked
// as geometry.
#include "document/GraphBuilder.h"
#include "document/StringTable.h"
#include "model/CPEdge.h"
#include "model/GraphInvariants.h"
#include "packing/PackingErrors.h"
#include "packing/PackingFixtures.h"
#include "support/PackingGeometry.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class PackingRun : public ::testing::Test {
protected:
    void TearDown() override { CCPNode::ResetDefaults(); }
    CTesselDoc doc;
};

// Positive when the three circle centres turn in the positive sense.
double Turn(const CCPNode* a, const CCPNode* b, const CCPNode* c) {
    const CDPoint& p = a->m_circle->m_euclidCentre;
    const CDPoint& q = b->m_circle->m_euclidCentre;
    const CDPoint& r = c->m_circle->m_euclidCentre;
    return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
}

// Checks a finished packing as a picture: circles of every edge touch, every inner node's
// fan closes and turns as the graph does, boundary circles reach the unit circle, and the
// nodes sit on the centres at the given scale.
void ExpectPacked(const CTesselDoc& doc, double tangency, double scale) {
    for (const CCPEdge* edge : doc.m_edges.m_array) {
        const CCPCircle* a = edge->m_start->m_circle;
        const CCPCircle* b = edge->m_end->m_circle;
        double sum = a->m_euclidRadius + b->m_euclidRadius;
        ASSERT_NEAR(a->m_euclidCentre.Distance(b->m_euclidCentre), sum, tangency * sum)
            << "edge " << doc.IndexOfEdge(edge);
    }
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle* c = node->m_circle;
        ASSERT_EQ(node->m_placed, 1);
        ASSERT_EQ(node->x, c->m_euclidCentre.x * scale);
        ASSERT_EQ(node->y, c->m_euclidCentre.y * scale);
        ASSERT_LE(c->m_euclidCentre.Abs() + c->m_euclidRadius, 1 + 1e-12);
        if (node->m_kind == Outer) {
            ASSERT_GT(c->m_euclidCentre.Abs() + c->m_euclidRadius, 1 - 1e-9);
            continue;
        }
        ASSERT_LT(std::fabs(node->AngleSumError()), CCPNode::m_threshold);
        int k = node->GetEdgeCount();
        for (int i = 0; i < k; ++i) {
            ASSERT_GT(Turn(node, node->GetNeighbour(i), node->GetNeighbour((i + 1) % k)), 0)
                << "node " << doc.IndexOfNode(node);
        }
    }
}

double LargestInnerError(const CTesselDoc& doc) {
    return MeasurePackingErrors(doc.m_nodes).innerError;
}

// Runs the packing until every inner fan closes to the threshold; returns the runs needed.
int PackUntilClosed(CTesselDoc& doc, int maxRuns) {
    for (int run = 1; run <= maxRuns; ++run) {
        EXPECT_TRUE(doc.RunPacking());
        if (LargestInnerError(doc) < CCPNode::m_threshold) {
            return run;
        }
    }
    return maxRuns + 1;
}

// The largest gap or overlap of two touching circles, relative to their radii.
double WorstTangency(const CTesselDoc& doc) {
    double worst = 0.0;
    for (const CCPEdge* edge : doc.m_edges.m_array) {
        const CCPCircle* a = edge->m_start->m_circle;
        const CCPCircle* b = edge->m_end->m_circle;
        double sum = a->m_euclidRadius + b->m_euclidRadius;
        worst =
            std::max(worst, std::fabs(a->m_euclidCentre.Distance(b->m_euclidCentre) - sum) / sum);
    }
    return worst;
}

} // namespace

TEST_F(PackingRun, IsRefusedWhileANodeIsNotConnected) {
    doc.NewGraph(300);
    doc.SetModifiedFlag(false);
    std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
    doc.GetNodeAt(0)->m_circle->m_radius = 3.0;
    std::string refusal;
    EXPECT_FALSE(doc.RunPacking(&refusal));
    EXPECT_EQ(refusal, LoadString(300));
    EXPECT_FALSE(doc.RunPacking());
    EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
    EXPECT_EQ(doc.GetNodeAt(0)->m_circle->m_radius, 3.0);
    EXPECT_EQ(doc.m_circles.GetCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_topologyChanged, 0);
}

TEST_F(PackingRun, ListsTheNodesCirclesInNodeOrderAndMarksModified) {
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.RunPacking());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_topologyChanged, 0);
    ASSERT_EQ(doc.m_circles.GetCount(), doc.m_nodes.GetSize());
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        EXPECT_EQ(doc.m_circles.GetAt(i), doc.GetNodeAt(i)->m_circle);
    }
    ASSERT_TRUE(doc.RunPacking()); // the list is emptied first, not appended to
    EXPECT_EQ(doc.m_circles.GetCount(), doc.m_nodes.GetSize());
}

TEST_F(PackingRun, RepeatedRunsContinueAndAnEditStartsAgainFromUnitRadii) {
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    CTesselDoc twin;
    ASSERT_TRUE(BuildHexDisk(twin, 3));
    ASSERT_TRUE(doc.RunPacking());
    ASSERT_TRUE(twin.RunPacking());
    std::vector<double> first = Radii(doc);

    // Without an edit the second run goes on from the first run's radii.
    ASSERT_TRUE(doc.RunPacking());
    twin.m_nodes.SolveRadii();
    EXPECT_EQ(Radii(doc), Radii(twin));
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        if (doc.GetNodeAt(i)->m_kind == Outer) {
            EXPECT_GE(Radii(doc)[i], first[i]);
        }
    }
    EXPECT_LT(LargestInnerError(doc), LargestInnerError(twin) + 1e-15);

    // A click that hits a node counts as an edit even when it changes nothing.
    CCPNode* start = doc.m_nodes.FindStartNode();
    doc.ClickAdd(*start);
    EXPECT_EQ(doc.m_topologyChanged, 1);
    ASSERT_TRUE(doc.RunPacking());
    EXPECT_EQ(Radii(doc), first);
}

TEST_F(PackingRun, ScaleIsTheViewRadiusOrThatOfAViewOfTheGraphArea) {
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    doc.m_extentX = 300;
    doc.m_extentY = 200;
    EXPECT_EQ(doc.GetPackingScale(), 190.0);
    doc.SetViewMargin(25);
    EXPECT_EQ(doc.GetPackingScale(), 175.0);
    // Below a pixel the nodes fill the graph area without the margin, or a new document's
    // frame when the area itself is below a pixel.
    doc.SetViewMargin(10);
    doc.m_extentY = 4;
    EXPECT_EQ(doc.GetPackingScale(), 4.0);
    doc.SetViewRadius(90.5);
    EXPECT_EQ(doc.GetPackingScale(), 90.5);
    doc.SetViewRadius(0.0);
    EXPECT_EQ(doc.GetPackingScale(), 4.0);
    doc.SetViewRadius(0.99);
    EXPECT_EQ(doc.GetPackingScale(), 4.0);
    doc.m_extentY = 0.5;
    EXPECT_EQ(doc.GetPackingScale(), CTesselDoc::DefaultViewRadius);
    doc.SetViewRadius(std::nullopt);
    EXPECT_EQ(doc.GetPackingScale(), CTesselDoc::DefaultViewRadius);
    doc.m_extentY = 500;
    ASSERT_TRUE(doc.RunPacking());
    CCPNode* q = doc.m_nodes.FindStartNode()->FindUpNeighbour();
    EXPECT_EQ(q->y, q->m_circle->m_euclidCentre.y * 290.0);
}

TEST_F(PackingRun, HexDiskPacksIntoTangentCircles) {
    ASSERT_TRUE(BuildHexDisk(doc, 5));
    for (int run = 0; run < 8; ++run) {
        ASSERT_TRUE(doc.RunPacking());
    }
    ExpectPacked(doc, 1e-3, doc.GetPackingScale());
    // A finer threshold gives a finer packing.
    CCPNode::m_threshold = 1e-6;
    for (int run = 0; run < 8; ++run) {
        ASSERT_TRUE(doc.RunPacking());
    }
    ExpectPacked(doc, 2e-5, doc.GetPackingScale());
    EXPECT_EQ(*doc.m_nodes.FindStartNode(), CDPoint(0, 0));
}

TEST_F(PackingRun, RandomDiskPacksIntoTangentCirclesAlsoAfterNodeRandomize) {
    CCPNode::m_threshold = 2e-6;
    ASSERT_TRUE(BuildRandomDisk(doc, 300, 4));
    // Irregular degrees carry the fans' remaining errors further through the layout than the
    // hexagonal disk does, and a shuffled order further still.
    EXPECT_LE(PackUntilClosed(doc, 200), 200);
    EXPECT_LT(WorstTangency(doc), 1e-3);
    ExpectPacked(doc, 3e-3, doc.GetPackingScale());
    doc.m_nodes.Randomize(MakeSeededRandom(2));
    EXPECT_LE(PackUntilClosed(doc, 200), 200);
    ExpectPacked(doc, 3e-3, doc.GetPackingScale());
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
}

// Boundary circles whose hyperbolic radii grow to 30 and beyond at a fine threshold lie
// closer to the unit circle than a disk coordinate resolves: they must still be laid out as
// circles touching their neighbours and the rim, not as circles covering the disk.
TEST_F(PackingRun, FineThresholdsKeepEveryCircleInPlace) {
    CCPNode::m_threshold = 1e-12;
    ASSERT_TRUE(BuildHexDisk(doc, 6));
    EXPECT_LT(PackUntilClosed(doc, 100), 100);
    CPackingGeometry hex = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_TRUE(hex.Holds(1e-9, 1e-9)) << hex.Describe();

    CCPNode::m_threshold = 1e-10;
    ASSERT_TRUE(BuildRandomDisk(doc, 300, 1));
    EXPECT_LT(PackUntilClosed(doc, 200), 200);
    CPackingGeometry random = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_TRUE(random.Holds(1e-6, 1e-9)) << random.Describe();
}

// One run on a disk whose layout starts next to the rim carries the far side some 40
// hyperbolic units out, where the circles' centres cannot be told from the unit circle: every
// circle must still come out finite, of positive radius and inside the disk, and the document
// must save and open again.
TEST_F(PackingRun, OneRunStartingNearTheRimGivesSoundCircles) {
    ASSERT_TRUE(BuildHexDisk(doc, 20));
    const CCPNode* rim = nullptr;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        for (int i = 0; i < node->GetEdgeCount() && node->m_kind == Inner && !rim; ++i) {
            rim = node->GetNeighbour(i)->m_kind == Outer ? node : nullptr;
        }
    }
    ASSERT_NE(rim, nullptr);
    CDPoint at = *rim;
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->Set(*node - at);
    }
    ASSERT_TRUE(doc.RunPacking());
    ASSERT_EQ(doc.m_nodes.FindStartNode(), rim);
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_EQ(g.unsound, 0) << g.Describe();
    EXPECT_EQ(g.unplacedNodes, 0) << g.Describe();
    std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CTesselDoc reopened;
    std::string error;
    EXPECT_TRUE(reopened.LoadFromBytes(bytes, error)) << error;
}
