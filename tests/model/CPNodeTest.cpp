// A node's fan: list order, searches, rotation, closing the fan and the node's kind.
#include "document/TesselDoc.h"
#include "model/GraphInvariants.h"

#include <gtest/gtest.h>

namespace {

// The starting triangle P, Q, R with one node N grown on P-Q: P's fan is N, Q, R.
class GrownTriangle : public ::testing::Test {
protected:
    void SetUp() override {
        doc.NewGraph(300);
        ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
        p = doc.GetNodeAt(0);
        q = doc.GetNodeAt(1);
        r = doc.GetNodeAt(2);
        n = doc.GetNodeAt(3);
    }
    CTesselDoc doc;
    CCPNode* p = nullptr;
    CCPNode* q = nullptr;
    CCPNode* r = nullptr;
    CCPNode* n = nullptr;
};

} // namespace

TEST_F(GrownTriangle, GrownNodeStandsFirstInTheStartFanAndLastInTheEndFan) {
    ASSERT_EQ(p->GetEdgeCount(), 3);
    EXPECT_EQ(p->GetNeighbour(0), n);
    EXPECT_EQ(p->GetNeighbour(1), q);
    EXPECT_EQ(p->GetNeighbour(2), r);
    EXPECT_EQ(q->GetNeighbour(q->GetEdgeCount() - 1), n);
    EXPECT_EQ(n->GetNeighbour(0), q);
    EXPECT_EQ(n->GetNeighbour(1), p);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");
}

TEST_F(GrownTriangle, SearchesAndRangeChecks) {
    EXPECT_EQ(p->IndexOfNeighbour(q), 1);
    EXPECT_EQ(p->IndexOfNeighbour(p), -1);
    EXPECT_EQ(p->IndexOfNeighbour(nullptr), -1);
    EXPECT_TRUE(n->IsNeighbour(q));
    EXPECT_FALSE(n->IsNeighbour(r));
    EXPECT_EQ(p->IndexOfEdge(p->GetEdge(2)), 2);
    EXPECT_EQ(p->IndexOfEdge(n->GetEdge(0)), -1);
    EXPECT_EQ(p->GetEdge(3), nullptr);
    EXPECT_EQ(p->GetEdge(-1), nullptr);
    EXPECT_EQ(p->GetNeighbour(3), nullptr);
    CCPEdge* absent = n->GetEdge(0);
    p->RemoveEdge(absent);
    EXPECT_EQ(p->GetEdgeCount(), 3);
}

TEST_F(GrownTriangle, RotationKeepsTheCyclicOrder) {
    CCPEdge* toQ = p->GetEdge(1);
    p->RotateToNeighbour(r);
    EXPECT_EQ(p->GetNeighbour(0), r);
    EXPECT_EQ(p->GetNeighbour(1), n);
    EXPECT_EQ(p->GetNeighbour(2), q);
    p->RotateToEdge(toQ);
    EXPECT_EQ(p->GetNeighbour(0), q);
    EXPECT_EQ(p->GetNeighbour(1), r);
    p->RotateToEdge(n->GetEdge(0));
    p->RotateToNeighbour(p);
    EXPECT_EQ(p->GetNeighbour(0), q);
}

TEST_F(GrownTriangle, LastAndFirstNeighbourAreConsecutiveOnlyForInnerNodes) {
    CCPEdge* rn = new CCPEdge(r, n);
    EXPECT_FALSE(p->HasConsecutive(p->GetEdge(1)));
    EXPECT_TRUE(p->HasConsecutive(doc.GetEdgeAt(1))) << "Q-R: neighbours 1 and 2";
    EXPECT_FALSE(p->HasConsecutive(rn));
    p->m_kind = Inner;
    EXPECT_TRUE(p->HasConsecutive(rn));
    p->m_kind = NotConnected;
    EXPECT_FALSE(p->HasConsecutive(nullptr));
    delete rn;
}

TEST_F(GrownTriangle, ConnectClosesTheFanWithABoundaryEdgeFromLastToFirst) {
    ASSERT_TRUE(p->CanConnect());
    CCPEdge* edge = p->Connect();
    ASSERT_NE(edge, nullptr);
    doc.m_edges.Add(edge);
    EXPECT_EQ(p->m_kind, Inner);
    EXPECT_EQ(edge->m_start, r);
    EXPECT_EQ(edge->m_end, n);
    EXPECT_EQ(edge->m_interior, 0);
    EXPECT_EQ(n->m_edges.back(), edge);
    EXPECT_EQ(r->m_edges.front(), edge);
    EXPECT_FALSE(p->CanConnect());
    EXPECT_EQ(p->Connect(), nullptr);
    doc.RecomputeStates();
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
}

TEST_F(GrownTriangle, ConnectNeedsThreeEdgesAndUnjoinedEnds) {
    EXPECT_FALSE(n->CanConnect()) << "two edges";
    EXPECT_EQ(n->Connect(), nullptr);
    EXPECT_EQ(n->m_kind, NotConnected);
    // Q's fan R, P, N is open, but R and N are the ends, and R-N missing: connectable.
    EXPECT_TRUE(q->CanConnect());
    // With R and N joined, neither P nor Q can close its fan.
    auto* rn = new CCPEdge(r, n);
    doc.m_edges.Add(rn);
    r->InsertEdgeFirst(rn);
    n->AddEdge(rn);
    EXPECT_FALSE(p->CanConnect());
    EXPECT_FALSE(q->CanConnect());
    EXPECT_EQ(p->Connect(), nullptr);
    EXPECT_EQ(p->m_kind, NotConnected);
}

TEST_F(GrownTriangle, KindFollowsTheInnerNeighbours) {
    doc.ConnectNode(p);
    EXPECT_EQ(n->m_kind, Outer);
    EXPECT_EQ(q->m_kind, Outer);
    p->m_kind = Outer;
    n->UpdateKind();
    EXPECT_EQ(n->m_kind, NotConnected);
    p->m_kind = Inner;
    p->UpdateKind();
    EXPECT_EQ(p->m_kind, Inner) << "inner nodes stay inner";
}

TEST_F(GrownTriangle, CollectionHitTestReturnsTheFirstOverlappingNode) {
    n->Set(p->x + 1, p->y - 1);
    EXPECT_EQ(doc.m_nodes.HitTest(CDPoint(p->x + 0.5, p->y - 0.5)), p);
    EXPECT_EQ(doc.m_nodes.HitTest(IntPoint{0, -1000}), nullptr);
    CCPEdge* first = doc.m_edges.HitTest(*p + (*q - *p) * 0.5);
    EXPECT_EQ(first, doc.GetEdgeAt(0));
    EXPECT_EQ(doc.m_edges.FindEdge(q, p), doc.GetEdgeAt(0));
    EXPECT_EQ(doc.m_edges.FindEdge(n, r), nullptr);
    EXPECT_EQ(doc.m_edges.FindEdge(p, p), nullptr);
}

TEST_F(GrownTriangle, ScaleAndConnectedness) {
    double px = p->x, py = p->y;
    doc.m_nodes.Scale(2, -0.5);
    EXPECT_EQ(p->x, 2 * px);
    EXPECT_EQ(p->y, -0.5 * py);
    EXPECT_FALSE(doc.m_nodes.AllConnected());
    CCPNodeArray empty;
    EXPECT_TRUE(empty.AllConnected());
    EXPECT_TRUE(doc.m_nodes.HasCircle(q->m_circle));
    CCPCircle stranger;
    EXPECT_FALSE(doc.m_nodes.HasCircle(&stranger));
    EXPECT_EQ(doc.m_nodes.GetAt(4), nullptr);
    EXPECT_EQ(doc.m_edges.GetAt(-1), nullptr);
}

TEST(NodeCollection, LoadingSlotsAreEmptyAndOwned) {
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    nodes.AddNew(3);
    edges.AddNew(2);
    nodes.AddNew(0);
    ASSERT_EQ(nodes.GetSize(), 3);
    ASSERT_EQ(edges.GetSize(), 2);
    EXPECT_EQ(nodes.GetAt(2)->m_circle, nullptr);
    EXPECT_EQ(nodes.GetAt(2)->GetEdgeCount(), 0);
    EXPECT_EQ(edges.GetAt(1)->m_start, nullptr);
    EXPECT_EQ(nodes.GetAt(0)->GetRuntimeClass()->m_className, std::string("CCPNode"));
    edges.Remove(edges.GetAt(0));
    EXPECT_EQ(edges.GetSize(), 1);
}

TEST(NodeCollection, RuntimeClassesAreRegistered) {
    for (const char* name : {"CHotSpot", "CCPNode", "CCPEdge", "CCPNodeArray", "CCPEdgeArray"}) {
        const CRuntimeClass* cls = CRuntimeClass::FromName(name);
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_EQ(cls->m_schema, 1);
        CObject* made = cls->CreateObject();
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetRuntimeClass(), cls);
        delete made;
    }
    EXPECT_TRUE(CCPNode::classCCPNode.IsDerivedFrom(&CDPoint::classCDPoint));
}
