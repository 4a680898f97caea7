// The layout: start node, up-neighbour, pair choice, one placement, the passes, and moving
// the nodes.
#include "document/GraphBuilder.h"
#include "model/CPEdge.h"
#include "packing/DiskPlacement.h"
#include "packing/PackingFixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void Unplace(CTesselDoc& doc) {
    doc.m_nodes.ClearPlaced();
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->m_order = 0;
    }
}

void MarkPlaced(CCPNode* node, long double order) {
    node->m_placed = 1;
    node->m_order = order;
}

// The Euclidean circle of a placed node whose hyperbolic centre is w.
void SetPlacedCircle(CCPNode* node, const CDPoint& w) {
    CDiskCircle circle = EuclideanCircle(w, node->m_circle->m_radius);
    node->m_circle->m_diskCentre = circle.diskCentre;
    node->m_circle->m_euclidCentre = circle.euclidCentre;
    node->m_circle->m_euclidRadius = circle.euclidRadius;
}

// The layout as plain passes over the whole collection, for comparison.
int LayoutByFullPasses(CCPNodeArray& nodes) {
    CCPNode* start = nodes.FindStartNode();
    nodes.ClearPlaced();
    start->m_circle->m_diskCentre = CDPoint(0, 0);
    start->m_circle->m_euclidCentre = CDPoint(0, 0);
    start->m_circle->m_euclidRadius = DiskDistance(1, start->m_circle->m_radius);
    MarkPlaced(start, 0);
    CCPNode* up = start->FindUpNeighbour();
    double rp = start->m_circle->m_radius;
    double rq = up->m_circle->m_radius;
    double t1 = DiskDistance(1, rp);
    double t2 = DiskDistance(1, rp + 2 * rq);
    up->m_circle->m_diskCentre = CDPoint(0, DiskDistance(1, rp + rq));
    up->m_circle->m_euclidCentre = CDPoint(0, (t1 + t2) / 2);
    up->m_circle->m_euclidRadius = (t2 - t1) / 2;
    MarkPlaced(up, 1);
    for (int passes = 1;; ++passes) {
        bool all = true;
        bool progress = false;
        for (CCPNode* node : nodes.m_array) {
            bool before = node->m_placed;
            bool placed = node->Place();
            all = all && placed;
            progress = progress || (placed && !before);
        }
        if (all || !progress) {
            return passes;
        }
    }
}

struct CircleState {
    CDPoint disk;
    CDPoint centre;
    double radius;
    long double order;
    bool operator==(const CircleState&) const = default;
};

std::vector<CircleState> Circles(const CTesselDoc& doc) {
    std::vector<CircleState> states;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle* c = node->m_circle;
        states.push_back({c->m_diskCentre, c->m_euclidCentre, c->m_euclidRadius, node->m_order});
    }
    return states;
}

} // namespace

TEST(Layout, SmallestPackableGraphStartsAtTheInnerNode) {
    CTesselDoc doc;
    BuildOneInnerFan(doc);
    CCPNode* p = doc.GetNodeAt(0);
    EXPECT_EQ(doc.m_nodes.FindStartNode(), p);
    EXPECT_EQ(doc.m_nodes.Layout(), 1);
    EXPECT_EQ(p->m_circle->m_euclidCentre, CDPoint(0, 0));
    EXPECT_NEAR(p->m_circle->m_euclidRadius, 0.46211715726000974, 1e-16);
    CCPNode* q = p->FindUpNeighbour();
    EXPECT_EQ(q->m_order, 1);
    EXPECT_EQ(q->m_circle->m_euclidCentre.x, 0.0);
    EXPECT_NEAR(q->m_circle->m_euclidCentre.y, 0.6836327054524381, 1e-16);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(node->m_placed, 1);
    }
}

TEST(Layout, StartNodeIsTheNearestInnerNodeAndTheEarliestOnTies) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    std::vector<CCPNode*> inner = InnerNodes(doc);
    ASSERT_EQ(inner.size(), 7u);
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->Set(500, 500);
    }
    inner[4]->Set(3, -4);
    inner[2]->Set(-4, 3);
    EXPECT_EQ(doc.m_nodes.FindStartNode(), inner[2]);
    for (CCPNode* node : doc.m_nodes.m_array) {
        if (node->m_kind == Outer) {
            node->Set(0, 0); // outer nodes never start the layout
        }
    }
    EXPECT_EQ(doc.m_nodes.FindStartNode(), inner[2]);
    inner[6]->Set(1, 1);
    EXPECT_EQ(doc.m_nodes.FindStartNode(), inner[6]);
}

TEST(Layout, UpNeighbourIsBelowAndNearestInXOrElseTheFirst) {
    CTesselDoc doc;
    BuildOneInnerFan(doc);
    CCPNode* p = doc.GetNodeAt(0);
    p->Set(0, 0);
    CCPNode* n0 = p->GetNeighbour(0);
    CCPNode* n1 = p->GetNeighbour(1);
    CCPNode* n2 = p->GetNeighbour(2);
    n0->Set(-5, 10);
    n1->Set(5, 0); // level with P still counts
    n2->Set(1, -10);
    EXPECT_EQ(p->FindUpNeighbour(), n0);
    n1->Set(-5, 1); // same offset as n0: the earlier wins
    EXPECT_EQ(p->FindUpNeighbour(), n0);
    n1->Set(4.9, 1);
    EXPECT_EQ(p->FindUpNeighbour(), n1);
    for (CCPNode* n : {n0, n1, n2}) {
        n->y = -1;
    }
    EXPECT_EQ(p->FindUpNeighbour(), n0);
}

TEST(Layout, PairWithTheSmallestOrderSumTheEarliestOnTiesClosingOnlyWhenInner) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    CCPNode* centre = InnerNodes(doc)[0];
    CCPNode* a = nullptr;
    CCPNode* b = nullptr;
    Unplace(doc);
    EXPECT_FALSE(centre->FindPlacedPair(a, b));
    MarkPlaced(centre->GetNeighbour(0), 5);
    MarkPlaced(centre->GetNeighbour(2), 1);
    EXPECT_FALSE(centre->FindPlacedPair(a, b)); // placed, but not consecutive

    MarkPlaced(centre->GetNeighbour(3), 4); // (2, 3): sum 5
    MarkPlaced(centre->GetNeighbour(5), 0); // (5, 0): sum 5, the closing pair, comes later
    ASSERT_TRUE(centre->FindPlacedPair(a, b));
    EXPECT_EQ(a, centre->GetNeighbour(2));
    EXPECT_EQ(b, centre->GetNeighbour(3));
    centre->GetNeighbour(5)->m_order = -1; // now strictly smaller
    ASSERT_TRUE(centre->FindPlacedPair(a, b));
    EXPECT_EQ(a, centre->GetNeighbour(5));
    EXPECT_EQ(b, centre->GetNeighbour(0));

    // An outer node's fan is open: its last and first neighbours are no pair.
    CCPNode* outer = centre->GetNeighbour(1);
    Unplace(doc);
    int k = outer->GetEdgeCount();
    MarkPlaced(outer->GetNeighbour(k - 1), 0);
    MarkPlaced(outer->GetNeighbour(0), 0);
    EXPECT_FALSE(outer->FindPlacedPair(a, b));
    EXPECT_FALSE(outer->Place());
}

TEST(Layout, PlacingFromAPairFollowsTheFansOrientation) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    SetAllRadii(doc, 1.0);
    CCPNode* centre = InnerNodes(doc)[0];
    CCPNode* v = centre->GetNeighbour(1);
    // v's neighbours in fan order around the centre.
    int at = v->IndexOfNeighbour(centre);
    ASSERT_GE(at, 0);
    for (int side : {0, 1}) {
        Unplace(doc);
        // The centre at the disk's centre, the other common neighbour of v along +y.
        CCPNode* other = side == 0 ? v->GetNeighbour(at + 1) : v->GetNeighbour(at - 1);
        ASSERT_NE(other, nullptr);
        SetPlacedCircle(centre, CDPoint(0, 0));
        SetPlacedCircle(other, CDPoint(0, DiskDistance(1, 2.0)));
        MarkPlaced(centre, 0);
        MarkPlaced(other, 1);
        ASSERT_TRUE(v->Place());
        EXPECT_EQ(v->m_order, 1);
        // A = centre, B = other when the centre comes first in v's fan.
        double x = side == 0 ? -0.466925998097 : 0.466925998097;
        EXPECT_NEAR(v->m_circle->m_diskCentre.x, x, 1e-12);
        EXPECT_NEAR(v->m_circle->m_diskCentre.y, 0.601669153843, 1e-12);
        EXPECT_NEAR(v->m_circle->m_euclidRadius, 0.221515548192, 1e-12);
        EXPECT_TRUE(v->Place()); // already placed: nothing moves
    }
}

// Fibonacci-like generations pass the 32-bit range after some 45 placements; beyond it they
// must still tell a nearer pair from a farther one.
TEST(Layout, OrdersStayOrderedBeyondThe32BitRange) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    CCPNode* centre = InnerNodes(doc)[0];
    CCPNode* v = centre->GetNeighbour(1);
    int at = v->IndexOfNeighbour(centre);
    int k = v->GetEdgeCount();
    Unplace(doc);
    CCPNode* before = v->GetNeighbour((at + k - 1) % k);
    CCPNode* after = v->GetNeighbour(at + 1);
    SetPlacedCircle(centre, CDPoint(0, 0));
    SetPlacedCircle(after, CDPoint(0, DiskDistance(1, 2.0)));
    SetPlacedCircle(before, CDPoint(0, -DiskDistance(1, 2.0)));
    const long double big = 1e30L;
    MarkPlaced(centre, big);
    MarkPlaced(before, 3 * big);
    MarkPlaced(after, 2 * big);
    CCPNode* a = nullptr;
    CCPNode* b = nullptr;
    ASSERT_TRUE(v->FindPlacedPair(a, b));
    EXPECT_EQ(a, centre);
    EXPECT_EQ(b, after);
    ASSERT_TRUE(v->Place());
    EXPECT_EQ(v->m_order, 3 * big);
}

// The passes visit only the nodes that may have become placeable; the result must be that of
// full passes over the collection, pair for pair and pass for pass.
TEST(Layout, PassesGiveWhatFullPassesGive) {
    for (int graph = 0; graph < 4; ++graph) {
        CTesselDoc doc;
        CTesselDoc twin;
        for (CTesselDoc* d : {&doc, &twin}) {
            ASSERT_TRUE(graph % 2 == 0 ? BuildHexDisk(*d, 6) : BuildRandomDisk(*d, 250, 9));
            d->m_nodes.SolveRadii();
            if (graph >= 2) {
                d->m_nodes.Randomize(MakeSeededRandom(11));
            }
        }
        int passes = doc.m_nodes.Layout();
        EXPECT_EQ(passes, LayoutByFullPasses(twin.m_nodes)) << "graph " << graph;
        EXPECT_TRUE(Circles(doc) == Circles(twin)) << "graph " << graph;
        if (graph == 0) {
            EXPECT_LE(passes, 2); // creation order
        } else if (graph == 2) {
            EXPECT_GT(passes, 2); // the shuffled order needs retries
        }
        for (const CCPNode* node : doc.m_nodes.m_array) {
            ASSERT_EQ(node->m_placed, 1);
        }
    }
}

TEST(Layout, WithoutAnInnerNodeNothingChanges) {
    CTesselDoc doc;
    doc.NewGraph(300);
    for (CCPNode* node : doc.m_nodes.m_array) {
        node->m_circle->m_euclidCentre = CDPoint(0.25, 0.5);
        node->m_placed = 1;
    }
    EXPECT_EQ(doc.m_nodes.FindStartNode(), nullptr);
    EXPECT_EQ(doc.m_nodes.Layout(), 0);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(node->m_circle->m_euclidCentre, CDPoint(0.25, 0.5));
        EXPECT_EQ(node->m_placed, 1);
    }
}

// A node that no pass can place (here one with no edges, as a damaged file might hold) ends
// the layout once a pass places nothing, and keeps its previous circle.
TEST(Layout, UnplaceableNodesEndThePassesAndKeepTheirCircles) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    auto* stray = new CCPNode(0, 0, Outer, 0);
    stray->m_circle->m_euclidCentre = CDPoint(0.125, 0.25);
    doc.m_nodes.m_array.insert(doc.m_nodes.m_array.begin(), stray);
    int passes = doc.m_nodes.Layout();
    EXPECT_EQ(passes, LayoutByFullPasses(doc.m_nodes));
    EXPECT_EQ(stray->m_placed, 0);
    EXPECT_EQ(stray->m_circle->m_euclidCentre, CDPoint(0.125, 0.25));
    doc.m_nodes.Remove(stray, doc.m_circles);
}

TEST(Layout, ApplyLayoutMovesNodesOntoTheScaledCentres) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    doc.m_nodes.SolveRadii();
    doc.m_nodes.Layout();
    doc.m_nodes.ApplyLayout(250.0);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(node->x, node->m_circle->m_euclidCentre.x * 250.0);
        EXPECT_EQ(node->y, node->m_circle->m_euclidCentre.y * 250.0);
    }
    EXPECT_EQ(*doc.m_nodes.FindStartNode(), CDPoint(0, 0));
}
