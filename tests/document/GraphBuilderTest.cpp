// The hexagonal and random disks: sizes, kinds, degrees, disk shape, invariants, repeatability.
#include "document/GraphBuilder.h"

#include "document/TesselDoc.h"
#include "model/GraphInvariants.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numeric>

namespace {

// Triangles of the graph: every fan's consecutive pairs, each triangle seen from its three
// corners.
int CountTriangles(const CTesselDoc& doc) {
    int corners = 0;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        corners += node->m_kind == Inner ? node->GetEdgeCount() : node->GetEdgeCount() - 1;
    }
    return corners / 3;
}

// A triangulated disk has Euler characteristic 1.
int EulerCharacteristic(const CTesselDoc& doc) {
    return doc.m_nodes.GetSize() - doc.m_edges.GetSize() + CountTriangles(doc);
}

// How many nodes of a kind have each degree.
std::map<int, int> Degrees(const CTesselDoc& doc, int kind) {
    std::map<int, int> count;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        if (node->m_kind == kind) {
            ++count[node->GetEdgeCount()];
        }
    }
    return count;
}

} // namespace

TEST(HexDisk, RingsOfSixNeighboursAroundOneCentre) {
    for (int rings = 1; rings <= 6; ++rings) {
        CTesselDoc doc;
        ASSERT_TRUE(BuildHexDisk(doc, rings));
        EXPECT_EQ(doc.m_nodes.GetSize(), 1 + 3 * rings * (rings + 1)) << rings;
        EXPECT_EQ(doc.m_edges.GetSize(), 9 * rings * rings + 3 * rings) << rings;
        EXPECT_EQ(Degrees(doc, Inner), (std::map<int, int>{{6, 1 + 3 * rings * (rings - 1)}}));
        // The last ring: six corners with three neighbours, the rest with four.
        std::map<int, int> outer{{3, 6}};
        if (rings > 1) {
            outer[4] = 6 * rings - 6;
        }
        EXPECT_EQ(Degrees(doc, Outer), outer) << rings;
        EXPECT_TRUE(doc.m_nodes.AllConnected());
        EXPECT_EQ(EulerCharacteristic(doc), 1);
        EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "") << rings;
        EXPECT_EQ(doc.m_topologyChanged, 1);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST(HexDisk, TheCentreIsTheFirstNodeAndRingsDoNotTouchTwoRingsAway) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    // Breadth-first rings from the centre must hold 1, 6, 12, 18 nodes.
    std::map<const CCPNode*, int> ring{{doc.GetNodeAt(0), 0}};
    std::vector<const CCPNode*> queue{doc.GetNodeAt(0)};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (int k = 0; k < queue[i]->GetEdgeCount(); ++k) {
            const CCPNode* next = queue[i]->GetNeighbour(k);
            if (ring.emplace(next, ring[queue[i]] + 1).second) {
                queue.push_back(next);
            }
        }
    }
    std::map<int, int> sizes;
    for (const auto& [node, r] : ring) {
        ++sizes[r];
        EXPECT_EQ(node->m_kind == Outer, r == 3);
    }
    EXPECT_EQ(sizes, (std::map<int, int>{{0, 1}, {1, 6}, {2, 12}, {3, 18}}));
}

TEST(HexDisk, RefusesSizesOutsideItsRangeAndRepeatsItself) {
    CTesselDoc doc;
    doc.NewGraph(300);
    doc.SetModifiedFlag(false);
    std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
    EXPECT_FALSE(BuildHexDisk(doc, 0));
    EXPECT_FALSE(BuildHexDisk(doc, -2));
    EXPECT_FALSE(BuildHexDisk(doc, MaxHexRings + 1));
    EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
    EXPECT_FALSE(doc.IsModified());
    CTesselDoc again;
    ASSERT_TRUE(BuildHexDisk(doc, 4));
    ASSERT_TRUE(BuildHexDisk(again, 4));
    EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), DescribeGraph(again.m_nodes, again.m_edges));
}

TEST(RandomDisk, IrregularTriangulatedDisksOfTheAskedSize) {
    for (unsigned seed : {1u, 2u, 3u, 99u}) {
        for (int nodes : {4, 40, 700}) {
            CTesselDoc doc;
            ASSERT_TRUE(BuildRandomDisk(doc, nodes, seed));
            std::string where = "seed " + std::to_string(seed) + ", " + std::to_string(nodes);
            EXPECT_GE(doc.m_nodes.GetSize(), nodes) << where;
            EXPECT_LE(doc.m_nodes.GetSize(), nodes + 12) << where;
            EXPECT_TRUE(doc.m_nodes.AllConnected()) << where;
            EXPECT_EQ(EulerCharacteristic(doc), 1) << where;
            EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "") << where;
            if (nodes == 700) {
                std::map<int, int> inner = Degrees(doc, Inner);
                EXPECT_EQ(inner.begin()->first, 3) << where;
                EXPECT_GE(inner.rbegin()->first, 10) << where;
                EXPECT_GE(inner.size(), 8u) << where;
                // Round rather than all rim: a boundary within twice a hexagonal disk's.
                int outer = doc.m_nodes.GetSize() -
                            static_cast<int>(std::accumulate(
                                inner.begin(), inner.end(), 0,
                                [](int sum, const auto& entry) { return sum + entry.second; }));
                EXPECT_LE(outer, 2 * std::sqrt(12.0 * doc.m_nodes.GetSize())) << where;
            }
        }
    }
}

TEST(RandomDisk, TheSeedAloneDecidesTheGraph) {
    CTesselDoc a;
    CTesselDoc b;
    CTesselDoc c;
    ASSERT_TRUE(BuildRandomDisk(a, 300, 5));
    ASSERT_TRUE(BuildRandomDisk(b, 300, 5));
    ASSERT_TRUE(BuildRandomDisk(c, 300, 6));
    EXPECT_EQ(DescribeGraph(a.m_nodes, a.m_edges), DescribeGraph(b.m_nodes, b.m_edges));
    EXPECT_NE(DescribeGraph(a.m_nodes, a.m_edges), DescribeGraph(c.m_nodes, c.m_edges));
    // The graph of one seed as first built: the same seed must give it with every compiler
    // and standard library.
    EXPECT_EQ(a.m_nodes.GetSize(), 301);
    EXPECT_EQ(a.m_edges.GetSize(), 836);
    EXPECT_EQ(Degrees(a, Inner),
              (std::map<int, int>{
                  {3, 14}, {4, 36}, {5, 41}, {6, 57}, {7, 56}, {8, 13}, {9, 13}, {10, 7}}));
}

TEST(RandomDisk, RefusesSizesOutsideItsRange) {
    CTesselDoc doc;
    EXPECT_FALSE(BuildRandomDisk(doc, 3, 1));
    EXPECT_FALSE(BuildRandomDisk(doc, MaxRandomDiskNodes + 1, 1));
    EXPECT_EQ(doc.m_nodes.GetSize(), 0);
}

TEST(GeneratedDisks, ProgressIsToldAndCanStopTheBuild) {
    std::vector<std::pair<int, int>> told;
    const auto record = [&told](int made, int total) {
        told.emplace_back(made, total);
        return true;
    };
    CTesselDoc hex;
    ASSERT_TRUE(BuildHexDisk(hex, 40, record));
    ASSERT_GE(told.size(), 2u);
    for (std::size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(told[i].second, 1 + 3 * 40 * 41);
        EXPECT_LE(told[i].first, told[i].second);
        if (i > 0) {
            EXPECT_GT(told[i].first, told[i - 1].first);
        }
    }
    // Stopping at the second report ends the build there.
    int reports = 0;
    CTesselDoc stopped;
    EXPECT_FALSE(BuildHexDisk(stopped, 40, [&reports](int, int) { return ++reports < 2; }));
    EXPECT_EQ(reports, 2);
    EXPECT_LT(stopped.m_nodes.GetSize(), hex.m_nodes.GetSize());
    reports = 0;
    CTesselDoc random;
    EXPECT_FALSE(BuildRandomDisk(random, 20000, 3, [&reports](int made, int total) {
        EXPECT_EQ(total, 20000);
        EXPECT_LT(made, total);
        return ++reports < 2;
    }));
    EXPECT_EQ(reports, 2);
}
