// The combinatorial check of a disk: each class of damage is named, sound graphs pass, and on
// randomly damaged graphs it agrees with the invariants the edits keep.
#include "model/DiskCheck.h"

#include "document/GraphBuilder.h"
#include "document/RandomEdits.h"
#include "document/TesselDoc.h"
#include "model/CPEdge.h"
#include "model/GraphCheck.h"
#include "model/GraphInvariants.h"
#include "model/InHalves.h"
#include "model/TriangleGraph.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

std::string Check(const CTesselDoc& doc) {
    return FindDiskProblem(doc.m_nodes, doc.m_edges);
}

CCPEdge* FirstBoundaryEdge(const CTesselDoc& doc) {
    for (CCPEdge* edge : doc.m_edges.m_array) {
        if (edge->m_interior == 0) {
            return edge;
        }
    }
    return nullptr;
}

// A new edge between two nodes, listed at the end of both fans.
void AddEdge(CTesselDoc& doc, CCPNode* a, CCPNode* b) {
    auto* edge = new CCPEdge(a, b);
    doc.m_edges.Add(edge);
    a->AddEdge(edge);
    b->AddEdge(edge);
}

// Triangles on a ring of `sides` outer and `sides` inner points: an annulus, or with the hole
// fanned from a centre point, a disk.
std::vector<CTriangle> Ring(int sides, bool filled) {
    std::vector<CTriangle> triangles;
    for (int i = 0; i < sides; ++i) {
        int j = (i + 1) % sides;
        triangles.push_back({i, j, sides + i});
        triangles.push_back({j, sides + j, sides + i});
        if (filled) {
            triangles.push_back({sides + i, sides + j, 2 * sides});
        }
    }
    return triangles;
}

// As many points as the triangles' corners name, at places of no consequence.
std::vector<CDPoint> Points(const std::vector<CTriangle>& triangles, int atLeast = 0) {
    int count = atLeast;
    for (const CTriangle& t : triangles) {
        count = std::max({count, t.a + 1, t.b + 1, t.c + 1});
    }
    std::vector<CDPoint> points;
    for (int i = 0; i < count; ++i) {
        points.emplace_back(i, (i % 7) * (i % 7) % 7);
    }
    return points;
}

// The node a problem names first ("node 17: ..." or "node 17 is ..."), or -1.
int NamedNode(const std::string& problem) {
    return problem.starts_with("node ") ? std::stoi(problem.substr(5)) : -1;
}

} // namespace

TEST(DiskCheck, EachDamageIsNamed) {
    struct Row {
        const char* damage;
        std::function<void(CTesselDoc&)> apply;
        std::string expected;
    };
    const Row rows[] = {
        {"closed fan marked outer", [](CTesselDoc& d) { d.GetNodeAt(0)->m_kind = Outer; },
         "node 0 is outer, but its fan is closed"},
        {"fan in the opposite sense",
         [](CTesselDoc& d) {
             auto& e = d.GetNodeAt(0)->m_edges;
             std::reverse(e.begin(), e.end());
         },
         "node 0: its triangle with"},
        {"consecutive neighbours not joined",
         [](CTesselDoc& d) { std::swap(d.GetNodeAt(0)->m_edges[1], d.GetNodeAt(0)->m_edges[3]); },
         "are not joined"},
        {"neighbour listed twice",
         [](CTesselDoc& d) { AddEdge(d, d.GetNodeAt(0), d.GetNodeAt(0)->GetNeighbour(0)); },
         "is listed twice"},
        {"isolated inner node", [](CTesselDoc& d) { d.m_nodes.Add(new CCPNode(0, 0, Inner, 0)); },
         "node 19 is inner but has only 0 neighbours"},
        {"isolated outer node", [](CTesselDoc& d) { d.m_nodes.Add(new CCPNode(0, 0, Outer, 0)); },
         "node 19 has no neighbours"},
        {"boundary edge reversed",
         [](CTesselDoc& d) { FirstBoundaryEdge(d)->StartAt(FirstBoundaryEdge(d)->m_end); },
         "runs against the boundary's direction"},
        {"boundary edge marked interior",
         [](CTesselDoc& d) { FirstBoundaryEdge(d)->m_interior = 1; },
         "lies on the boundary, but is marked interior"},
        {"inner edge marked boundary",
         [](CTesselDoc& d) { d.GetNodeAt(0)->GetEdge(0)->m_interior = 0; },
         "lies between two triangles, but is marked as a boundary edge"},
        {"edge listed by one end only", [](CTesselDoc& d) { d.GetNodeAt(0)->m_edges.pop_back(); },
         "is not listed by both its ends"},
    };
    for (const Row& row : rows) {
        CTesselDoc doc;
        ASSERT_TRUE(BuildHexDisk(doc, 2));
        ASSERT_EQ(Check(doc), "");
        row.apply(doc);
        EXPECT_NE(Check(doc).find(row.expected), std::string::npos)
            << row.damage << ": " << Check(doc);
    }
}

TEST(DiskCheck, KindsFollowTheEditorsRule) {
    CTesselDoc doc;
    doc.NewGraph(300);
    EXPECT_EQ(Check(doc), "") << "a graph still being drawn passes";
    doc.GetNodeAt(1)->m_kind = Outer;
    EXPECT_EQ(Check(doc),
              "node 1 is outer, but should be not connected without an inner neighbour");
    doc.GetNodeAt(1)->m_kind = NotConnected;
    ASSERT_TRUE(doc.GrowNode(doc.GetEdgeAt(0)));
    ASSERT_TRUE(doc.ConnectNode(doc.GetNodeAt(0)));
    EXPECT_EQ(Check(doc), "");
    doc.GetNodeAt(1)->m_kind = NotConnected;
    EXPECT_EQ(Check(doc), "node 1 is not connected, but should be outer beside an inner node");
}

TEST(DiskCheck, PartsAndTopologyOtherThanADiskAreNamed) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 1));
    CTesselDoc second;
    second.NewGraph(100);
    for (CCPNode* node : second.m_nodes.m_array) {
        doc.m_nodes.Add(node);
    }
    for (CCPEdge* edge : second.m_edges.m_array) {
        doc.m_edges.Add(edge);
    }
    second.m_nodes.m_array.clear();
    second.m_edges.m_array.clear();
    EXPECT_EQ(Check(doc), "the graph has 2 separate parts: node 7 is not joined to node 0");

    struct Row {
        std::vector<CTriangle> triangles;
        std::string expected;
    };
    const std::vector<CTriangle> octahedron = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1},
                                               {5, 2, 1}, {5, 3, 2}, {5, 4, 3}, {5, 1, 4}};
    const Row rows[] = {
        {Ring(5, true), ""},
        {Ring(5, false), "the graph is not a disk: its boundary has 2 loops"},
        {octahedron, "the graph has no boundary: every node is inner"},
    };
    for (const Row& row : rows) {
        CCPNodeArray nodes;
        CCPEdgeArray edges;
        ASSERT_EQ(BuildTriangleGraph(Points(row.triangles), row.triangles, nodes, edges), "");
        EXPECT_EQ(FindDiskProblem(nodes, edges), row.expected);
        EXPECT_EQ(FindInvariantBreak(nodes, edges), "") << "locally every fan is sound";
    }
}

TEST(DiskCheck, TrianglesThatAreNoSurfaceAreRefusedByTheBuilder) {
    struct Row {
        std::vector<CTriangle> triangles;
        std::string expected;
    };
    const Row rows[] = {
        {{{0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}, {4, 1, 0}},
         "the side between node 0 and node 1 belongs to 3 triangles"},
        {{{0, 1, 2}, {0, 1, 3}}, "the triangles at node 0 overlap or turn opposite ways"},
        {{{0, 1, 2}, {0, 3, 4}}, "the triangles at node 0 do not form one fan"},
        {{{0, 1, 5}, {-1, 1, 2}}, "triangle 1 has the corner -1, which is not a node"},
        {{{0, 1, 1}}, "triangle 0 has a corner twice"},
        {{{0, 1, 2}}, "node 3 is the corner of no triangle"},
    };
    for (const Row& row : rows) {
        CCPNodeArray nodes;
        CCPEdgeArray edges;
        EXPECT_EQ(BuildTriangleGraph(Points(row.triangles, 4), row.triangles, nodes, edges),
                  row.expected);
        EXPECT_EQ(nodes.GetSize() + edges.GetSize(), 0);
    }
}

TEST(DiskCheck, AgreesWithTheEditsInvariantsOnRandomlyDamagedGraphs) {
    int damaged = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        CTesselDoc doc;
        doc.NewGraph(300);
        for (int step = 0; step < 40; ++step) {
            RandomEdit(doc, random);
        }
        ASSERT_EQ(Check(doc), "") << "seed " << seed;
        // One kind of damage at a time, at a random place.
        CCPNode* node = doc.GetNodeAt(int(random() % doc.m_nodes.GetSize()));
        switch (random() % 4) {
        case 0:
            std::shuffle(node->m_edges.begin(), node->m_edges.end(), random);
            break;
        case 1:
            node->m_kind = int(random() % 3);
            break;
        case 2:
            doc.GetEdgeAt(int(random() % doc.m_edges.GetSize()))->m_interior ^= 1;
            break;
        default:
            doc.GetEdgeAt(int(random() % doc.m_edges.GetSize()))->StartAt(node);
        }
        const bool passes = Check(doc).empty();
        EXPECT_EQ(passes, FindInvariantBreak(doc.m_nodes, doc.m_edges).empty())
            << "seed " << seed << ": " << Check(doc);
        damaged += !passes;
    }
    EXPECT_GT(damaged, 150);
}

// A node of many neighbours finds its repeats by sorting them: the one named is still the
// first entry that repeats an earlier one.
TEST(DiskCheck, ARepeatAmongManyNeighboursIsNamedInListOrder) {
    std::vector<CTriangle> wheel;
    for (int i = 1; i <= 20; ++i) {
        wheel.push_back({0, i, i % 20 + 1});
    }
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    ASSERT_EQ(BuildTriangleGraph(Points(wheel), wheel, nodes, edges), "");
    ASSERT_EQ(FindDiskProblem(nodes, edges), "");
    for (int rim : {5, 3}) {
        auto* edge = new CCPEdge(nodes.m_array[0], nodes.m_array[rim]);
        edges.Add(edge);
        nodes.m_array[0]->AddEdge(edge);
        nodes.m_array[rim]->AddEdge(edge);
    }
    EXPECT_EQ(FindDiskProblem(nodes, edges), "node 0: its neighbour 5 is listed twice");
}

// A graph large enough to be checked in two halves at once names the fault a check in order
// would name first, wherever the faults lie: with one in each half, the first half's.
TEST(DiskCheck, TheHalvesOfALargeGraphNameTheFirstFault) {
    // A square grid of 257 x 257 points, each square cut into two triangles.
    constexpr int kSide = 257;
    std::vector<CTriangle> grid;
    for (int row = 0; row + 1 < kSide; ++row) {
        for (int col = 0; col + 1 < kSide; ++col) {
            const int at = row * kSide + col;
            grid.push_back({at, at + 1, at + kSide + 1});
            grid.push_back({at, at + kSide + 1, at + kSide});
        }
    }
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    ASSERT_EQ(BuildTriangleGraph(Points(grid), grid, nodes, edges), "");
    CGraphTable table;
    ASSERT_TRUE(TabulateGraph(nodes, edges, table, nullptr));
    const int n = table.Nodes();
    ASSERT_GE(n, kItemsWorthASecondThread);
    auto innerFrom = [&](int from) {
        while (table.kind[from] != Inner) {
            ++from;
        }
        return from;
    };
    const int early = innerFrom(n / 4);
    const int late = innerFrom(3 * n / 4);
    struct Row {
        std::vector<int> closedFansMarkedOuter;
        int damaged;
    };
    for (const Row& row : {Row{{late}, late}, Row{{early, late}, early}}) {
        for (int v : row.closedFansMarkedOuter) {
            table.kind[v] = Outer;
        }
        // The damaged node, or a neighbour whose fan check reads its kind.
        EXPECT_LE(std::abs(NamedNode(FindDiskProblem(table)) - row.damaged), kSide + 1)
            << FindDiskProblem(table);
        for (int v : row.closedFansMarkedOuter) {
            table.kind[v] = Inner;
        }
    }
    EXPECT_EQ(FindDiskProblem(table), "");
    // The structural passes too: the late node lists an edge of the early one's.
    table.listEdges[table.listStart[late]] = table.listEdges[table.listStart[early]];
    EXPECT_EQ(NamedNode(FindDiskProblem(table)), late) << FindDiskProblem(table);
}

TEST(InHalves, HandsBackTheFirstProblemAndTheSecondHalfsFailure) {
    const int count = 2 * kItemsWorthASecondThread;
    const auto firstAtOrAfter = [](int at) {
        return [at](int begin, int end) {
            return at < end ? std::to_string(std::max(at, begin)) : std::string();
        };
    };
    EXPECT_EQ(InHalves(count, firstAtOrAfter(count - 1)), std::to_string(count - 1));
    EXPECT_EQ(InHalves(count, firstAtOrAfter(5)), "5");
    EXPECT_EQ(InHalves(count, firstAtOrAfter(count)), "");
    EXPECT_THROW(InHalves(count,
                          [](int begin, int) -> std::string {
                              if (begin > 0) {
                                  throw std::runtime_error("second half");
                              }
                              return {};
                          }),
                 std::runtime_error);
}
