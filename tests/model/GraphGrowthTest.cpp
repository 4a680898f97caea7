// Refinement and boundary layers: counts by the formulas, disks in the edits' form, drawings
// without folds, styles from the named old node, the size limit, and one undo step each.
#include "model/GraphGrowth.h"

#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/DiskCheck.h"
#include "model/GraphInvariants.h"
#include "packing/ConvergedPacking.h"

#include <gtest/gtest.h>

namespace {

enum class Start { Triangle, PackedHex, PackedRandom };

// Starting graphs whose drawings have no crossings: the starting triangle, and generated
// disks drawn as their packings.
void MakeStart(CTesselDoc& doc, Start start) {
    doc.OnNewDocument();
    if (start != Start::Triangle) {
        ASSERT_TRUE(start == Start::PackedHex ? BuildHexDisk(doc, 3) : BuildRandomDisk(doc, 60, 7));
        CConvergedPacking packing;
        ASSERT_TRUE(doc.PackToConvergence(1e-12, {}, packing));
    }
    // Every node its own colour, to see whose style a new node took.
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        doc.m_nodes.m_array[i]->m_circle->m_innerCol = COLORREF(i + 1);
    }
}

// The first fold of the drawing: a triangle of a fan turning the wrong way, or none.
std::string FindFold(const CCPNodeArray& nodes) {
    for (int v = 0; v < nodes.GetSize(); ++v) {
        const CCPNode* node = nodes.m_array[v];
        const int degree = node->GetEdgeCount();
        const int turns = node->m_kind == Inner ? degree : degree - 1;
        for (int p = 0; p < turns; ++p) {
            const CDPoint a = *node->GetNeighbour(p) - *node;
            const CDPoint b = *node->GetNeighbour((p + 1) % degree) - *node;
            if (a.x * b.y - a.y * b.x <= 0) {
                return "node " + std::to_string(v) + " turns back after neighbour " +
                       std::to_string(p);
            }
        }
    }
    return {};
}

// The old node a new one takes its style from: the first of its old neighbours, or for a
// layer the end whose first neighbour is the other end.
int ExpectedStyleSource(const CCPNodeArray& old, const CCPNode* node, int oldCount,
                        GraphGrowth growth) {
    std::vector<int> ends;
    for (int p = 0; p < node->GetEdgeCount(); ++p) {
        const int index = static_cast<int>(node->GetNeighbour(p)->m_order);
        if (index < oldCount) {
            ends.push_back(index);
        }
    }
    std::sort(ends.begin(), ends.end());
    if (growth == GraphGrowth::BoundaryLayer && ends.size() == 2 &&
        old.m_array[ends[1]]->GetNeighbour(0) == old.m_array[ends[0]]) {
        return ends[1];
    }
    return ends.empty() ? -1 : ends.front();
}

struct GrowthCase {
    Start start;
    GraphGrowth growth;
};

class Growth : public testing::TestWithParam<GrowthCase> {};

} // namespace

TEST_P(Growth, FollowsTheFormulasAndKeepsADiskWithoutFolds) {
    CTesselDoc doc;
    MakeStart(doc, GetParam().start);
    const CGraphSize before = MeasureGraph(doc.m_nodes, doc.m_edges);
    CCPNodeArray nodes;
    CCPEdgeArray edges;
    ASSERT_EQ(GrowGraph(doc.m_nodes, doc.m_edges, GetParam().growth, nodes, edges), "");

    const CGraphSize after = MeasureGraph(nodes, edges);
    const CGraphSize expected = SizeAfter(before, GetParam().growth);
    EXPECT_EQ(after.nodes, expected.nodes);
    EXPECT_EQ(after.edges, expected.edges);
    EXPECT_EQ(after.triangles, expected.triangles);
    EXPECT_EQ(after.boundary, expected.boundary);
    EXPECT_EQ(FindDiskProblem(nodes, edges), "");
    EXPECT_EQ(FindInvariantBreak(nodes, edges, Winding::Check), "");
    EXPECT_EQ(FindFold(nodes), "");

    const int oldCount = doc.m_nodes.GetSize();
    for (int i = 0; i < nodes.GetSize(); ++i) {
        nodes.m_array[i]->m_order = i; // the index, for ExpectedStyleSource
    }
    for (int i = 0; i < nodes.GetSize(); ++i) {
        const CCPNode* node = nodes.m_array[i];
        const int source =
            i < oldCount ? i : ExpectedStyleSource(doc.m_nodes, node, oldCount, GetParam().growth);
        ASSERT_GE(source, 0) << i;
        EXPECT_EQ(node->m_circle->m_innerCol, COLORREF(source + 1)) << "node " << i;
        EXPECT_EQ(node->x == doc.m_nodes.m_array[std::min(i, oldCount - 1)]->x, i < oldCount)
            << "node " << i << ": old nodes stay, new ones stand elsewhere";
        if (GetParam().growth == GraphGrowth::BoundaryLayer) {
            // The old nodes all become inner; the new ones make the boundary.
            EXPECT_EQ(node->m_kind, i < oldCount ? Inner : Outer) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllGrowths, Growth,
    testing::Values(GrowthCase{Start::Triangle, GraphGrowth::HexRefine},
                    GrowthCase{Start::Triangle, GraphGrowth::BarycentricRefine},
                    GrowthCase{Start::Triangle, GraphGrowth::BoundaryLayer},
                    GrowthCase{Start::PackedHex, GraphGrowth::HexRefine},
                    GrowthCase{Start::PackedHex, GraphGrowth::BarycentricRefine},
                    GrowthCase{Start::PackedHex, GraphGrowth::BoundaryLayer},
                    GrowthCase{Start::PackedRandom, GraphGrowth::HexRefine},
                    GrowthCase{Start::PackedRandom, GraphGrowth::BarycentricRefine},
                    GrowthCase{Start::PackedRandom, GraphGrowth::BoundaryLayer}));

TEST(GrowthLimit, RefusesBeyondAMillionNodesBeforeBuilding) {
    struct Row {
        CGraphSize size;
        GraphGrowth growth;
        int times;
        bool refused;
    };
    // A hex disk of 300 rings: 270901 nodes, 810900 edges, 540000 triangles, 1800 boundary.
    const CGraphSize hex300{270901, 810900, 540000, 1800};
    const Row rows[] = {
        {hex300, GraphGrowth::HexRefine, 1, true},
        {hex300, GraphGrowth::BoundaryLayer, 1, false},
        {hex300, GraphGrowth::BoundaryLayer, 405, false}, // 270901 + 405 * 1800 = 999901
        {hex300, GraphGrowth::BoundaryLayer, 406, true},
        {{37, 90, 54, 18}, GraphGrowth::BarycentricRefine, 5, false}, // 210241 nodes
        {{37, 90, 54, 18}, GraphGrowth::BarycentricRefine, 6, true},  // 1260289
    };
    for (const Row& row : rows) {
        EXPECT_EQ(!FindGrowthLimit(row.size, row.growth, row.times).empty(), row.refused)
            << row.size.nodes << " nodes, " << row.times << " times";
    }
    // 4 rings: 61 nodes, 156 edges, 96 triangles; refined seven times 787969 nodes, eight
    // times too many.
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 4));
    const std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    std::string problem;
    EXPECT_FALSE(doc.GrowGraph(GraphGrowth::HexRefine, 8, problem));
    EXPECT_EQ(problem, "the result would have 3148801 nodes; at most 1000000 are allowed");
    EXPECT_EQ(doc.SaveToBytes(), bytes);
}

TEST(GrowthSteps, EachGrowthIsOneUndoStepAfterAPackingToo) {
    for (GraphGrowth growth :
         {GraphGrowth::HexRefine, GraphGrowth::BarycentricRefine, GraphGrowth::BoundaryLayer}) {
        CTesselDoc doc;
        doc.EnableHistory();
        MakeStart(doc, Start::PackedHex);
        doc.SetModifiedFlag(false);
        const std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
        const int circlesBefore = doc.m_circles.GetCount();
        const std::size_t steps = doc.History().Count();
        std::string problem;
        ASSERT_TRUE(doc.GrowGraph(growth, 2, problem)) << problem;
        EXPECT_EQ(doc.History().Count(), steps + 1);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.m_circles.GetCount(), 0); // the new graph is not packed yet
        const std::string grown = DescribeGraph(doc.m_nodes, doc.m_edges);
        CConvergedPacking packing;
        ASSERT_TRUE(doc.PackToConvergence(1e-12, {}, packing));

        ASSERT_TRUE(doc.Undo()); // the packing
        ASSERT_TRUE(doc.Undo()); // the growth
        EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
        EXPECT_EQ(doc.m_circles.GetCount(), circlesBefore);
        EXPECT_FALSE(doc.IsModified());
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), grown);
        // A new edit drops the undone packing; the history frees what it held.
        doc.ClickAdd(*doc.m_nodes.m_array[0]);
        doc.RemoveAll();
    }
}

TEST(GrowthSteps, RefusesADamagedGraphAndLeavesItAsItWas) {
    CTesselDoc doc;
    doc.EnableHistory();
    MakeStart(doc, Start::PackedHex);
    doc.m_nodes.m_array[0]->m_kind = Outer; // the inner centre marked as boundary
    const std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
    const std::size_t steps = doc.History().Count();
    std::string problem;
    EXPECT_FALSE(doc.GrowGraph(GraphGrowth::BoundaryLayer, 1, problem));
    EXPECT_NE(problem, "");
    EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before);
    EXPECT_EQ(doc.History().Count(), steps);
}

// A Cancel asked at any of the checks, in the first growth or a later one, leaves the document
// as it was with no step and no reason; asked after the last check, it comes too late.
TEST(GrowthSteps, ACancelAtAnyCheckLeavesTheDocumentAsItWas) {
    for (const auto& [growth, times] :
         {std::pair{GraphGrowth::HexRefine, 1}, std::pair{GraphGrowth::BarycentricRefine, 2},
          std::pair{GraphGrowth::BoundaryLayer, 2}}) {
        for (int at = 1;; ++at) {
            ASSERT_LE(at, 100) << "the growth never finished";
            CTesselDoc doc;
            doc.EnableHistory();
            MakeStart(doc, Start::PackedHex);
            doc.SetModifiedFlag(false);
            const std::string before = DescribeGraph(doc.m_nodes, doc.m_edges);
            const std::size_t steps = doc.History().Count();
            int asked = 0;
            std::string problem;
            if (doc.GrowGraph(growth, times, problem, [&] { return ++asked >= at; })) {
                EXPECT_GT(at, 3 * times); // every growth asks before and after planning, and
                break;                    // after building its triangles
            }
            EXPECT_EQ(problem, "") << at;
            EXPECT_EQ(DescribeGraph(doc.m_nodes, doc.m_edges), before) << at;
            EXPECT_EQ(doc.History().Count(), steps) << at;
            EXPECT_FALSE(doc.IsModified()) << at;
            EXPECT_EQ(asked, at); // nothing more is asked once it stopped
        }
    }
}
