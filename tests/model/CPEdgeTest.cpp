// Edge ends, the edge hit band, and the interior flag.
#include "model/CPEdge.h"

#include "document/TesselDoc.h"
#include "model/CPNode.h"

#include <gtest/gtest.h>

namespace {

// Two nodes and the edge between them, freed together.
struct Segment {
    Segment(CDPoint s, CDPoint t) : start(s.x, s.y, Outer, 0), end(t.x, t.y, Outer, 0) {}
    ~Segment() {
        start.DeleteCircle();
        end.DeleteCircle();
    }
    CCPNode start;
    CCPNode end;
    CCPEdge edge{&start, &end};
};

} // namespace

TEST(EdgeHitTest, BandReachesExactlyTheHitDistance) {
    Segment flat({0, 0}, {100, 0});
    EXPECT_TRUE(flat.edge.HitTest(CDPoint(50, 3)));
    EXPECT_TRUE(flat.edge.HitTest(CDPoint(50, -3)));
    EXPECT_FALSE(flat.edge.HitTest(CDPoint(50, 3.0001)));
    EXPECT_TRUE(flat.edge.HitTest(IntPoint{20, -3}));
    EXPECT_FALSE(flat.edge.HitTest(IntPoint{20, 4}));
}

TEST(EdgeHitTest, SpanIsCutOffSquareAtTheEnds) {
    Segment flat({100, 0}, {0, 0});
    EXPECT_TRUE(flat.edge.HitTest(CDPoint(0, 2)));
    EXPECT_TRUE(flat.edge.HitTest(CDPoint(100, -2)));
    EXPECT_FALSE(flat.edge.HitTest(CDPoint(100.5, 0)));
    EXPECT_FALSE(flat.edge.HitTest(CDPoint(-0.01, 0)));

    Segment steep({0, 0}, {10, 100});
    EXPECT_TRUE(steep.edge.HitTest(CDPoint(5, 50)));
    EXPECT_FALSE(steep.edge.HitTest(CDPoint(10, 100.5)));
    EXPECT_TRUE(steep.edge.HitTest(CDPoint(10.2, 100)));
}

TEST(EdgeHitTest, DiagonalEdgesUseTheYSpan) {
    Segment diagonal({0, 0}, {10, 10});
    // Both points lie about 1.4 from the line, each outside one of the two spans.
    EXPECT_TRUE(diagonal.edge.HitTest(CDPoint(11, 9)));
    EXPECT_FALSE(diagonal.edge.HitTest(CDPoint(9, 11)));
    Segment anti({0, 0}, {-10, 10});
    EXPECT_TRUE(anti.edge.HitTest(CDPoint(-11, 9)));
    EXPECT_FALSE(anti.edge.HitTest(CDPoint(-9, 11)));
}

TEST(EdgeHitTest, EdgesOfNoLengthOrWithoutEndsAreNeverHit) {
    Segment point({5, 5}, {5, 5});
    EXPECT_FALSE(point.edge.HitTest(CDPoint(5, 5)));
    EXPECT_FALSE(point.edge.HitTest(CDPoint(50, 5)));
    CCPEdge loose;
    EXPECT_FALSE(loose.HitTest(CDPoint(0, 0)));
}

TEST(Edge, OtherEndAndReorientation) {
    Segment seg({0, 0}, {1, 0});
    CCPNode stranger;
    EXPECT_EQ(seg.edge.Other(&seg.start), &seg.end);
    EXPECT_EQ(seg.edge.Other(&seg.end), &seg.start);
    EXPECT_EQ(seg.edge.Other(&stranger), nullptr);
    EXPECT_EQ(seg.edge.Other(nullptr), nullptr);
    EXPECT_TRUE(seg.edge.HasNode(&seg.end));
    EXPECT_FALSE(seg.edge.HasNode(&stranger));

    EXPECT_EQ(seg.edge.StartAt(&seg.start), &seg.start);
    EXPECT_EQ(seg.edge.m_start, &seg.start);
    EXPECT_EQ(seg.edge.StartAt(&seg.end), &seg.start);
    EXPECT_EQ(seg.edge.m_start, &seg.end);
    EXPECT_EQ(seg.edge.m_end, &seg.start);
    EXPECT_EQ(seg.edge.StartAt(&stranger), &seg.end);
    EXPECT_EQ(seg.edge.m_start, &seg.end);
}

TEST(Edge, StartingTriangleHasOnlyBoundaryEdgesAndAGrownEdgeBecomesInterior) {
    CTesselDoc doc;
    doc.NewGraph(300);
    for (CCPEdge* edge : doc.m_edges.m_array) {
        edge->m_interior = 1;
        edge->UpdateInterior();
        EXPECT_EQ(edge->m_interior, 0);
    }
    CCPEdge* grown = doc.GetEdgeAt(0);
    ASSERT_TRUE(doc.GrowNode(grown));
    EXPECT_EQ(grown->ComputeInterior(), 1);
    EXPECT_EQ(doc.GetEdgeAt(3)->ComputeInterior(), 0);
    EXPECT_EQ(doc.GetEdgeAt(4)->ComputeInterior(), 0);
}

TEST(Edge, TrianglesOnlyCountInTheApexFan) {
    // The triangle P, Q, R without R listing its two edges in order: no triangle of its fan
    // holds P-Q, so the edge counts nothing from R.
    CTesselDoc doc;
    doc.NewGraph(300);
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    CCPNode* r = doc.GetNodeAt(2);
    CCPEdge* pq = doc.GetEdgeAt(0);
    EXPECT_EQ(pq->ComputeInterior(), 1);
    r->m_edges.push_back(r->m_edges.front());
    r->m_edges.erase(r->m_edges.begin());
    EXPECT_TRUE(r->HasConsecutive(pq)) << "two neighbours are consecutive either way round";
    r->m_edges.insert(r->m_edges.begin() + 1, doc.GetEdgeAt(3));
    EXPECT_FALSE(r->HasConsecutive(pq));
    EXPECT_EQ(pq->ComputeInterior(), 0);
    r->m_edges.erase(r->m_edges.begin() + 1);
}
