// The document's starting graph, its click edits, the modified flag, the extent and the hints.
#include "document/TesselDoc.h"

#include "document/StringTable.h"
#include "model/GraphInvariants.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::string Describe(const CTesselDoc& doc) {
    return DescribeGraph(doc.m_nodes, doc.m_edges);
}

std::string Hints(std::initializer_list<int> ids) {
    std::string text;
    for (int id : ids) {
        text += (text.empty() ? "" : "/") + LoadString(id);
    }
    return text;
}

CDPoint Midpoint(const CCPEdge* edge) {
    return (*edge->m_start + *edge->m_end) * 0.5;
}

// The starting triangle P, Q, R (size 300) with N grown on P-Q and P connected: P is inner,
// N, Q and R are outer, and R-N, N-Q, Q-R are boundary edges with the apex P.
class ConnectedFan : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewGraph(300);
        ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
        ASSERT_TRUE(doc.ConnectNode(doc.GetNodeAt(0)));
        ASSERT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
    }
    CTesselDoc doc;
};

} // namespace

TEST(NewGraph, IsAnEquilateralTriangleOfThreeUnconnectedNodes) {
    CTesselDoc doc;
    EXPECT_FALSE(doc.IsModified());
    doc.NewGraph(300);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.m_nodes.GetSize(), 3);
    ASSERT_EQ(doc.m_edges.GetSize(), 3);
    const CCPNode* p = doc.GetNodeAt(0);
    const CCPNode* q = doc.GetNodeAt(1);
    const CCPNode* r = doc.GetNodeAt(2);
    EXPECT_EQ(p->x, 0);
    EXPECT_DOUBLE_EQ(p->y, -100);
    EXPECT_DOUBLE_EQ(q->x, 50 * std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(q->y, 50);
    EXPECT_DOUBLE_EQ(r->x, -q->x);
    EXPECT_DOUBLE_EQ(r->y, 50);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(node->m_kind, NotConnected);
        EXPECT_NE(node->m_circle, nullptr);
        EXPECT_EQ(node->m_highlight, 0);
    }
    EXPECT_EQ(doc.GetEdgeAt(0)->m_start, p);
    EXPECT_EQ(doc.GetEdgeAt(0)->m_end, q);
    EXPECT_EQ(doc.GetEdgeAt(2)->m_start, r);
    EXPECT_EQ(p->m_edges, (std::vector<CCPEdge*>{doc.GetEdgeAt(0), doc.GetEdgeAt(2)}));
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");
}

TEST(NewGraph, NewDocumentDeselectsEverythingAndUsesTheViewRadius) {
    CTesselDoc doc;
    EXPECT_EQ(doc.GetViewRadius(), 500.0);
    doc.m_circles.m_outer.m_selected = 1;
    doc.m_circles.m_outer.m_lineCol = 0x123456;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_circles.m_outer.m_selected, 0);
    EXPECT_EQ(doc.m_circles.m_outer.m_lineCol, DefOutLineCol);
    EXPECT_DOUBLE_EQ(doc.GetNodeAt(0)->y, -500.0 / 3);
    EXPECT_TRUE(doc.IsModified());

    doc.SetViewRadius(240);
    doc.OnNewDocument();
    EXPECT_DOUBLE_EQ(doc.GetNodeAt(0)->y, -80);
    for (double bad : {0.0, -30.0, std::nan("")}) {
        doc.SetViewRadius(bad);
        EXPECT_EQ(doc.GetViewRadius(), 500.0) << bad;
    }
    doc.SetViewRadius(std::nullopt);
    EXPECT_EQ(doc.GetViewRadius(), 500.0);
}

TEST(GrowNode, PlacesTheNodeOnTheFreeSideAndMarksTheEdgeInterior) {
    CTesselDoc doc;
    doc.NewGraph(300);
    doc.SetModifiedFlag(false);
    CCPEdge* pq = doc.GetEdgeAt(0);
    const CCPNode* p = pq->m_start;
    const CCPNode* q = pq->m_end;
    ASSERT_TRUE(doc.GrowNode(pq));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(pq->m_interior, 1);
    ASSERT_EQ(doc.m_nodes.GetSize(), 4);
    const CCPNode* n = doc.GetNodeAt(3);
    // The centroid of the equilateral triangle on P-Q away from R, at distance |PQ| / sqrt 3.
    double side = p->Distance(*q);
    EXPECT_NEAR(n->Distance(*p), side / std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(n->Distance(*q), side / std::sqrt(3.0), 1e-9);
    EXPECT_GT(n->Distance(*doc.GetNodeAt(2)), side);
    EXPECT_EQ(n->m_kind, NotConnected);
    EXPECT_EQ(doc.GetEdgeAt(3)->m_start, p);
    EXPECT_EQ(doc.GetEdgeAt(3)->m_end, n);
    EXPECT_EQ(doc.GetEdgeAt(4)->m_start, n);
    EXPECT_EQ(doc.GetEdgeAt(4)->m_end, q);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");
}

TEST(ClickAdd, SecondClickOnTheSameEdgeGrowsNothing) {
    CTesselDoc doc;
    doc.NewGraph(300);
    CDPoint onEdge = Midpoint(doc.GetEdgeAt(1));
    doc.ClickAdd(onEdge);
    EXPECT_EQ(doc.m_topologyChanged, 1);
    EXPECT_EQ(doc.m_nodes.GetSize(), 4);
    doc.m_topologyChanged = 0;
    doc.SetModifiedFlag(false);
    doc.ClickAdd(onEdge);
    EXPECT_EQ(doc.m_nodes.GetSize(), 4);
    EXPECT_EQ(doc.m_topologyChanged, 1) << "something was hit";
    EXPECT_FALSE(doc.IsModified());
    doc.m_topologyChanged = 0;
    doc.ClickAdd(CDPoint(0, 0));
    doc.ClickDelete(CDPoint(0, 0));
    EXPECT_EQ(doc.m_topologyChanged, 0) << "nothing was hit";
}

TEST(ClickAdd, ConnectsAClickedNodeAndRecomputesTheStates) {
    CTesselDoc doc;
    doc.NewGraph(300);
    doc.ClickAdd(Midpoint(doc.GetEdgeAt(0)));
    doc.SetModifiedFlag(false);
    CCPNode* p = doc.GetNodeAt(0);
    doc.ClickAdd(CDPoint(p->x + 3, p->y - 3));
    EXPECT_EQ(p->m_kind, Inner);
    EXPECT_EQ(doc.m_edges.GetSize(), 6);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.m_nodes.AllConnected());
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
}

TEST(ClickDelete, NodesOfTheStartingTriangleStay) {
    CTesselDoc doc;
    doc.NewGraph(300);
    std::string before = Describe(doc);
    for (const CCPNode* node : std::vector<CCPNode*>(doc.m_nodes.m_array)) {
        doc.ClickDelete(*node);
        EXPECT_FALSE(doc.CanDeleteNode(node));
    }
    EXPECT_EQ(Describe(doc), before);
    EXPECT_EQ(doc.m_topologyChanged, 1);
}

TEST(DeleteNode, UndoesAGrowAndLeavesTheModifiedFlagAlone) {
    CTesselDoc doc;
    doc.NewGraph(300);
    std::string triangle = Describe(doc);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    CCPNode* n = doc.GetNodeAt(3);
    ASSERT_TRUE(doc.CanDeleteNode(n));
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.DeleteNode(n));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Describe(doc), triangle);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");

    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.DeleteNode(doc.GetNodeAt(3)));
    EXPECT_TRUE(doc.IsModified());
}

TEST(DeleteNode, ACornerOfTheTriangleWithTwoEdgesCanGoOnceANodeWasGrown) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    CCPNode* r = doc.GetNodeAt(2);
    ASSERT_TRUE(doc.CanDeleteNode(r));
    ASSERT_TRUE(doc.DeleteNode(r));
    EXPECT_EQ(doc.m_nodes.GetSize(), 3);
    EXPECT_EQ(doc.m_edges.GetSize(), 3);
    EXPECT_EQ(doc.GetEdgeAt(0)->m_interior, 0);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");
}

TEST_F(ConnectedFan, DeleteEdgeOpensTheApexFan) {
    CCPNode* p = doc.GetNodeAt(0);
    CCPNode* q = doc.GetNodeAt(1);
    CCPNode* r = doc.GetNodeAt(2);
    CCPNode* n = doc.GetNodeAt(3);
    CCPEdge* qr = doc.m_edges.FindEdge(q, r);
    ASSERT_TRUE(doc.CanDeleteEdge(qr));
    EXPECT_FALSE(doc.CanDeleteEdge(doc.m_edges.FindEdge(p, q))) << "interior";
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.DeleteEdge(qr));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_edges.GetSize(), 5);
    EXPECT_EQ(p->m_kind, NotConnected) << "outer at first, then no inner neighbour is left";
    EXPECT_EQ(p->GetNeighbour(0), r);
    EXPECT_EQ(p->GetNeighbour(2), q);
    EXPECT_EQ(doc.m_edges.FindEdge(p, q)->m_start, q);
    EXPECT_EQ(doc.m_edges.FindEdge(p, r)->m_start, p);
    EXPECT_EQ(n->m_kind, NotConnected);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
    EXPECT_FALSE(doc.CanDeleteEdge(doc.m_edges.FindEdge(r, n))) << "no inner apex any more";
}

TEST_F(ConnectedFan, HintsNameWhatEachButtonWouldDo) {
    CCPNode* p = doc.GetNodeAt(0);
    CCPNode* q = doc.GetNodeAt(1);
    EXPECT_EQ(doc.GetHintText(p->ToPoint()), Hints({350}));
    EXPECT_EQ(doc.GetHintText(q->ToPoint()), Hints({350})) << "Q's fan ends R and N are joined";
    CCPEdge* qr = doc.m_edges.FindEdge(q, doc.GetNodeAt(2));
    EXPECT_EQ(doc.GetHintText(Midpoint(qr).ToPoint()), Hints({352, 353}));
    CCPEdge* pq = doc.m_edges.FindEdge(p, q);
    EXPECT_EQ(doc.GetHintText(Midpoint(pq).ToPoint()), "");
    EXPECT_EQ(doc.GetHintText(IntPoint{1000, 1000}), "");
    ASSERT_TRUE(doc.GrowNode(qr));
    CCPNode* grown = doc.GetNodeAt(4);
    EXPECT_EQ(doc.GetHintText(grown->ToPoint()), Hints({350, 354}));
    EXPECT_EQ(Hints({350, 354}), "L-Drag:Move/R-Click:Delete This Node");
}

TEST_F(ConnectedFan, ANodeWhoseFanEndsAreJoinedIgnoresTheClick) {
    // N's fan is Q, P, R: its ends Q and R are joined, so it cannot close.
    CCPNode* n = doc.GetNodeAt(3);
    ASSERT_EQ(n->GetEdgeCount(), 3);
    ASSERT_FALSE(n->CanConnect());
    doc.SetModifiedFlag(false);
    std::string before = Describe(doc);
    doc.ClickAdd(*n);
    EXPECT_EQ(Describe(doc), before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetHintText(n->ToPoint()), Hints({350}));
}

TEST(Hints, ANodeThatCanCloseItsFan) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    EXPECT_EQ(doc.GetHintText(doc.GetNodeAt(0)->ToPoint()), Hints({350, 351}));
    EXPECT_EQ(Hints({350, 351}), "L-Drag:Move/L-Click:Create Edges");
    SetLanguage(Language::Japanese);
    EXPECT_EQ(doc.GetHintText(doc.GetNodeAt(0)->ToPoint()),
              LoadString(350, Language::Japanese) + "/" + LoadString(351, Language::Japanese));
    SetLanguage(Language::English);
}

TEST(GraphExtent, StretchesTheGraphWithTheArea) {
    CTesselDoc doc;
    doc.NewGraph(300);
    std::string before = Describe(doc);
    doc.SetModifiedFlag(false);
    doc.SetGraphExtent(500, 500);
    EXPECT_EQ(Describe(doc), before);
    const CCPNode* q = doc.GetNodeAt(1);
    double qx = q->x, qy = q->y;
    doc.SetGraphExtent(250, 250);
    EXPECT_DOUBLE_EQ(q->x, qx / 2);
    EXPECT_DOUBLE_EQ(q->y, qy / 2);
    doc.SetGraphExtent(1000, 125);
    EXPECT_DOUBLE_EQ(q->x, qx * 2);
    EXPECT_DOUBLE_EQ(q->y, qy / 4);
    EXPECT_EQ(doc.m_extentX, 1000);
    EXPECT_EQ(doc.m_extentY, 125);
    EXPECT_FALSE(doc.IsModified());
}

TEST(GraphExtent, AnEmptyAreaNeverCollapsesTheGraph) {
    CTesselDoc doc;
    doc.NewGraph(300);
    const CCPNode* q = doc.GetNodeAt(1);
    double qx = q->x, qy = q->y;
    doc.SetGraphExtent(0, 250);
    EXPECT_EQ(q->x, qx);
    EXPECT_DOUBLE_EQ(q->y, qy / 2);
    EXPECT_EQ(doc.m_extentX, 500);
    doc.SetGraphExtent(-5, std::nan(""));
    EXPECT_EQ(q->x, qx);
    EXPECT_EQ(doc.m_extentY, 250);
    doc.SetGraphExtent(1000, 500);
    EXPECT_DOUBLE_EQ(q->x, 2 * qx);
    EXPECT_DOUBLE_EQ(q->y, qy);
    // An extent of zero read from a file gives no ratio: the coordinates stay as they are.
    doc.m_extentX = 0;
    doc.SetGraphExtent(300, 500);
    EXPECT_DOUBLE_EQ(q->x, 2 * qx);
    EXPECT_EQ(doc.m_extentX, 300);
}

TEST(GraphExtent, ClampPullsPointsOntoTheRoundedBorder) {
    CTesselDoc doc;
    doc.m_extentX = 100.5;
    doc.m_extentY = 40.4;
    IntPoint p{300, -300};
    doc.ClampToExtent(p);
    EXPECT_EQ(p, (IntPoint{101, -40}));
    p = {-300, 300};
    doc.ClampToExtent(p);
    EXPECT_EQ(p, (IntPoint{-101, 40}));
    p = {100, -40};
    doc.ClampToExtent(p);
    EXPECT_EQ(p, (IntPoint{100, -40}));
    doc.m_extentX = 1e12;
    p = {INT32_MIN, 0};
    doc.ClampToExtent(p);
    EXPECT_EQ(p.x, INT32_MIN);
}

TEST(Lookups, IndicesAndOutOfRangeIndices) {
    CTesselDoc doc;
    doc.NewGraph(300);
    EXPECT_EQ(doc.IndexOfNode(doc.GetNodeAt(2)), 2);
    EXPECT_EQ(doc.IndexOfEdge(doc.GetEdgeAt(1)), 1);
    EXPECT_EQ(doc.IndexOfNode(nullptr), -1);
    CCPEdge stranger;
    EXPECT_EQ(doc.IndexOfEdge(&stranger), -1);
    for (int bad : {-1, 3, 1 << 30}) {
        EXPECT_EQ(doc.GetNodeAt(bad), nullptr);
        EXPECT_EQ(doc.GetEdgeAt(bad), nullptr);
    }
}

TEST(Ownership, EveryCircleIsFreedOnceWhicheverSideLetsGoLast) {
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    // As after a packing run: the list refers to every node's circle.
    for (CCPNode* node : doc.m_nodes.m_array) {
        doc.m_circles.Add(node->m_circle);
    }
    CCPCircle* kept = doc.GetNodeAt(3)->m_circle;
    ASSERT_TRUE(doc.DeleteNode(doc.GetNodeAt(3)));
    EXPECT_TRUE(doc.m_circles.Contains(kept));
    EXPECT_EQ(kept->m_radius, 1.0) << "still alive and readable";
    doc.m_circles.RemoveAll(doc.m_nodes);
    EXPECT_EQ(doc.m_circles.GetCount(), 0);
    // Half of the circles listed again, then everything let go at once.
    doc.m_circles.Add(doc.GetNodeAt(1)->m_circle);
    doc.RemoveAll();
    EXPECT_EQ(doc.m_nodes.GetSize(), 0);
    EXPECT_EQ(doc.m_edges.GetSize(), 0);
    EXPECT_EQ(doc.m_circles.GetCount(), 0);
    doc.NewGraph(300);
    doc.m_circles.Add(doc.GetNodeAt(0)->m_circle);
}
