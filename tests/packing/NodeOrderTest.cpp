// Node Randomize: the node order, the inner fans' rotation, and what it leaves alone.
#include "document/GraphBuilder.h"
#include "model/GraphInvariants.h"
#include "packing/PackingFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

namespace {

// A source that plays back fixed values, then repeats the last.
RandomSource Script(std::vector<int> values) {
    auto at = std::make_shared<std::size_t>(0);
    return [values, at] { return values[std::min((*at)++, values.size() - 1)]; };
}

std::vector<CDPoint> Points(const std::vector<CCPNode*>& nodes) {
    std::vector<CDPoint> points;
    for (const CCPNode* node : nodes) {
        points.push_back(*node);
    }
    return points;
}

} // namespace

TEST(NodeRandomize, PermutesNodesAndRotatesOnlyInnerFans) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    std::vector<CCPNode*> before = doc.m_nodes.m_array;
    std::vector<std::vector<CCPEdge*>> fans;
    for (CCPNode* node : before) {
        fans.push_back(node->m_edges);
    }
    std::vector<CDPoint> points = Points(before);
    SetAllRadii(doc, 0.75);

    doc.m_nodes.Randomize(MakeSeededRandom(3));
    std::vector<CCPNode*> after = doc.m_nodes.m_array;
    EXPECT_NE(after, before);
    EXPECT_EQ(std::set<CCPNode*>(after.begin(), after.end()),
              std::set<CCPNode*>(before.begin(), before.end()));
    int rotated = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        CCPNode* node = before[i];
        EXPECT_EQ(*node, points[i]);
        EXPECT_EQ(node->m_circle->m_radius, 0.75);
        if (node->m_kind != Inner) {
            EXPECT_EQ(node->m_edges, fans[i]);
            continue;
        }
        rotated += node->m_edges != fans[i] ? 1 : 0;
        std::vector<CCPEdge*> fan = fans[i];
        auto first = std::find(fan.begin(), fan.end(), node->m_edges[0]);
        ASSERT_NE(first, fan.end());
        std::rotate(fan.begin(), first, fan.end());
        EXPECT_EQ(node->m_edges, fan); // same cycle, new start
    }
    EXPECT_GT(rotated, 0);
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");

    // The same seed gives the same order.
    CTesselDoc twin;
    ASSERT_TRUE(BuildHexDisk(twin, 3));
    twin.m_nodes.Randomize(MakeSeededRandom(3));
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        EXPECT_EQ(*after[i], *twin.GetNodeAt(i));
    }
}

TEST(NodeRandomize, TheTopValueIsClampedToTheLastIndex) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    std::vector<CCPNode*> before = doc.m_nodes.m_array;
    CCPNode* centre = InnerNodes(doc)[0];
    CCPEdge* last = centre->m_edges.back();
    // Every swap is of the last node with itself; the inner fan starts at its last edge.
    doc.m_nodes.Randomize(Script({RandomMax}));
    EXPECT_EQ(doc.m_nodes.m_array, before);
    EXPECT_EQ(centre->m_edges[0], last);
}

TEST(NodeRandomize, OneNodeSwapsWithItselfAndADegreeThreeFanTurnsByAtMostTwo) {
    CTesselDoc doc;
    BuildOneInnerFan(doc);
    CCPNode* p = doc.GetNodeAt(0);
    std::vector<CCPEdge*> fan = p->m_edges;
    for (int value : {0, 10922, 10923, 21845, 21846, RandomMax}) {
        p->m_edges = fan;
        p->RandomRotate(Script({value}));
        int turn = int(std::find(fan.begin(), fan.end(), p->m_edges[0]) - fan.begin());
        EXPECT_EQ(turn, RandomIndex(value, 3)) << value;
    }

    CCPNodeArray single;
    auto* node = new CCPNode(1, 2, Outer, 0);
    single.Add(node);
    int draws = 0;
    single.Randomize([&] { return ++draws, RandomMax; });
    EXPECT_EQ(single.GetAt(0), node);
    EXPECT_EQ(draws, 2); // one swap: two indices; an outer node draws no rotation
    single.RemoveAll(doc.m_circles);
}

TEST(NodeRandomize, TheDocumentMarksItselfModifiedAndChangesNoGeometry) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    ASSERT_TRUE(doc.RunPacking());
    doc.SetModifiedFlag(false);
    std::vector<double> radii = Radii(doc);
    std::vector<CCPNode*> before = doc.m_nodes.m_array;
    std::vector<CDPoint> points = Points(before);
    doc.RandomizeNodes();
    EXPECT_TRUE(doc.IsModified());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(*before[i], points[i]);
        EXPECT_EQ(before[i]->m_circle->m_radius, radii[i]);
    }
    EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "");
    EXPECT_EQ(doc.m_circles.GetCount(), doc.m_nodes.GetSize());
}
