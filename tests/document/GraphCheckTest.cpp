// The consistency rules a loaded graph must pass, one broken rule per row.
#include "document/GraphCheck.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// The starting triangle P, Q, R with edges P-Q, Q-R, R-P.
CGraphTopology Triangle() {
    return {{{0, 2}, {1, 0}, {2, 1}}, {2, 2, 2}, {{{0, 1}}, {{1, 2}}, {{2, 0}}}, {0, 0, 0}};
}

// A wheel: inner hub 0 and a rim of four outer nodes; spokes 0-3, rim 4-7.
CGraphTopology Wheel() {
    CGraphTopology g;
    g.nodeEdges = {{0, 1, 2, 3}, {7, 0, 4}, {4, 1, 5}, {5, 2, 6}, {6, 3, 7}};
    g.nodeKinds = {1, 0, 0, 0, 0};
    g.edgeEnds = {{{0, 1}}, {{0, 2}}, {{0, 3}}, {{0, 4}}, {{1, 2}}, {{2, 3}}, {{3, 4}}, {{4, 1}}};
    g.edgeInterior = {1, 1, 1, 1, 0, 0, 0, 0};
    return g;
}

ArchiveError Check(const CGraphTopology& g) {
    CArchive ar(std::span<const std::uint8_t>{});
    CheckGraphTopology(g, ar);
    return ar.Error();
}

} // namespace

TEST(GraphCheck, GraphsTheEditorMakesPass) {
    EXPECT_EQ(Check(Triangle()), ArchiveError::None);
    EXPECT_EQ(Check(Wheel()), ArchiveError::None);
    EXPECT_EQ(Check({}), ArchiveError::None);
    // A lone node and a single edge have no triangles to check.
    EXPECT_EQ(Check({{{}}, {2}, {}, {}}), ArchiveError::None);
    EXPECT_EQ(Check({{{0}, {0}}, {2, 2}, {{{0, 1}}}, {0}}), ArchiveError::None);
}

TEST(GraphCheck, EachBrokenRuleIsRefused) {
    struct Row {
        const char* what;
        std::function<void(CGraphTopology&)> breakIt;
        ArchiveError expected;
        bool onTriangle = false;
    };
    const Row rows[] = {
        {"edge index -1", [](CGraphTopology& g) { g.nodeEdges[1][0] = -1; },
         ArchiveError::IndexOutOfRange},
        {"edge index past the end", [](CGraphTopology& g) { g.nodeEdges[1][0] = 8; },
         ArchiveError::IndexOutOfRange},
        {"node index -1", [](CGraphTopology& g) { g.edgeEnds[5][1] = -1; },
         ArchiveError::IndexOutOfRange},
        {"node index past the end", [](CGraphTopology& g) { g.edgeEnds[5][0] = 5; },
         ArchiveError::IndexOutOfRange},
        {"kind 3", [](CGraphTopology& g) { g.nodeKinds[2] = 3; }, ArchiveError::InconsistentGraph},
        {"kind -1", [](CGraphTopology& g) { g.nodeKinds[2] = -1; },
         ArchiveError::InconsistentGraph},
        {"interior flag 2", [](CGraphTopology& g) { g.edgeInterior[0] = 2; },
         ArchiveError::InconsistentGraph},
        {"edge listed at a node that is not an end",
         [](CGraphTopology& g) { g.nodeEdges[1].push_back(6); }, ArchiveError::InconsistentGraph},
        {"edge listed twice", [](CGraphTopology& g) { g.nodeEdges[1].push_back(0); },
         ArchiveError::InconsistentGraph},
        {"edge missing from one end",
         [](CGraphTopology& g) { g.nodeEdges[1].erase(g.nodeEdges[1].begin()); },
         ArchiveError::InconsistentGraph},
        {"self loop",
         [](CGraphTopology& g) {
             g.edgeEnds[4] = {{1, 1}};
         },
         ArchiveError::InconsistentGraph},
        {"two edges join one pair",
         [](CGraphTopology& g) {
             g.edgeEnds.push_back({{1, 2}});
             g.edgeInterior.push_back(0);
             g.nodeEdges[1].push_back(8);
             g.nodeEdges[2].push_back(8);
         },
         ArchiveError::InconsistentGraph},
        {"consecutive neighbours not joined",
         [](CGraphTopology& g) { std::swap(g.nodeEdges[0][1], g.nodeEdges[0][2]); },
         ArchiveError::InconsistentGraph},
        {"inner node whose last and first neighbours are not joined",
         [](CGraphTopology& g) { g.nodeKinds[1] = 1; }, ArchiveError::InconsistentGraph},
        {"inner node with two neighbours", [](CGraphTopology& g) { g.nodeKinds[0] = 1; },
         ArchiveError::InconsistentGraph, true},
    };
    for (const Row& row : rows) {
        CGraphTopology g = row.onTriangle ? Triangle() : Wheel();
        row.breakIt(g);
        EXPECT_EQ(Check(g), row.expected) << row.what;
    }
}

TEST(GraphCheck, TheMessageNamesTheProblem) {
    CGraphTopology g = Wheel();
    g.nodeEdges[3].push_back(0);
    CArchive ar(std::span<const std::uint8_t>{});
    EXPECT_FALSE(CheckGraphTopology(g, ar));
    EXPECT_NE(ar.ErrorText().find("node 3 lists edge 0, which does not end at it"),
              std::string::npos)
        << ar.ErrorText();
}
