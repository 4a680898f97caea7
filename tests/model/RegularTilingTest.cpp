// Regular tilings: the tiles of each layer, disks in the edits' form, and the rotation about
// the centre carried over to the packing's radii.
#include "model/RegularTiling.h"

#include "document/TesselDoc.h"
#include "document/TilingDisk.h"
#include "model/DiskCheck.h"
#include "model/GraphInvariants.h"
#include "packing/ConvergedPacking.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numbers>

namespace {

struct TilingCase {
    int p;
    int q;
    int tilesAtDepth2; // the central tile and every tile sharing a corner with it
};

class Tiling : public testing::TestWithParam<TilingCase> {};

// The node at a point of the graph area, found by its rounded coordinates.
class CNodeAtPoint {
public:
    explicit CNodeAtPoint(const CCPNodeArray& nodes) {
        for (int i = 0; i < nodes.GetSize(); ++i) {
            m_nodes.emplace(Key(*nodes.m_array[i]), i);
        }
    }
    // Neighbouring keys too, since rounding may put a point and its image on either side.
    int Find(const CDPoint& point) const {
        const auto [x, y] = Key(point);
        for (long long dx = -1; dx <= 1; ++dx) {
            for (long long dy = -1; dy <= 1; ++dy) {
                if (auto found = m_nodes.find({x + dx, y + dy}); found != m_nodes.end()) {
                    return found->second;
                }
            }
        }
        return -1;
    }

private:
    static std::pair<long long, long long> Key(const CDPoint& point) {
        return {std::llround(point.x * 1e6), std::llround(point.y * 1e6)};
    }
    std::map<std::pair<long long, long long>, int> m_nodes;
};

} // namespace

TEST_P(Tiling, LayersShareCornersAndTheGraphIsADisk) {
    const auto [p, q, tilesAtDepth2] = GetParam();
    for (int depth = 1; depth <= 3; ++depth) {
        CTilingGraph tiling;
        ASSERT_EQ(MakeRegularTiling(p, q, depth, MaxGrownNodes, tiling), "");
        if (depth == 1) {
            EXPECT_EQ(tiling.points.size(), std::size_t(p + 1));
        }
        if (depth == 2) {
            EXPECT_EQ(tiling.triangles.size(), std::size_t(p * tilesAtDepth2));
        }
        CTesselDoc doc;
        std::string problem;
        ASSERT_TRUE(BuildTilingDisk(doc, p, q, depth, problem)) << problem;
        EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges, Winding::Check), "");
        // Every corner inside the disk has q tiles round it, every centre p corners.
        for (const CCPNode* node : doc.m_nodes.m_array) {
            if (node->m_kind == Inner) {
                EXPECT_TRUE(node->GetEdgeCount() == 2 * q || node->GetEdgeCount() == p)
                    << node->GetEdgeCount();
            }
        }
    }
}

TEST_P(Tiling, CirclesOfOneOrbitOfTheRotationHaveEqualRadii) {
    const auto [p, q, tilesAtDepth2] = GetParam();
    CTesselDoc doc;
    std::string problem;
    ASSERT_TRUE(BuildTilingDisk(doc, p, q, 3, problem)) << problem;
    const CNodeAtPoint at(doc.m_nodes);
    const double angle = 2 * std::numbers::pi / p;
    std::vector<CDPoint> before;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        before.push_back(*node);
    }
    CConvergedPacking packing;
    ASSERT_TRUE(doc.PackToConvergence(1e-14, {}, packing));
    int compared = 0;
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        const CDPoint& point = before[i];
        const CDPoint turned(point.x * std::cos(angle) - point.y * std::sin(angle),
                             point.x * std::sin(angle) + point.y * std::cos(angle));
        const int image = at.Find(turned);
        ASSERT_GE(image, 0) << "node " << i << " has no image";
        if (doc.m_nodes.m_array[i]->m_kind != Inner) {
            continue; // a boundary circle is a horocycle
        }
        EXPECT_NEAR(packing.radii[i], packing.radii[image], 1e-12) << i << " and " << image;
        compared += image != i;
    }
    EXPECT_GT(compared, 2 * p);
}

INSTANTIATE_TEST_SUITE_P(Hyperbolic, Tiling,
                         testing::Values(TilingCase{7, 3, 8}, TilingCase{5, 4, 11},
                                         TilingCase{4, 5, 13}, TilingCase{3, 7, 16}));

TEST(TilingLimits, RefusesWhatIsNoHyperbolicTilingOrTooLarge) {
    struct Row {
        int p, q, depth;
        std::string says; // empty: accepted
    };
    const Row rows[] = {
        {4, 4, 2, "no hyperbolic tiling"},
        {6, 3, 2, "no hyperbolic tiling"},
        {3, 6, 2, "no hyperbolic tiling"},
        {2, 9, 2, "from 3 to 100"},
        {101, 3, 2, "from 3 to 100"},
        {7, 3, 0, "DEPTH"},
        {3, 7, 101, "DEPTH"},
        {3, 7, 40, "more than 5000 nodes"},
        {100, 3, 1, ""},
        {20, 3, 2, ""},
    };
    for (const Row& row : rows) {
        CTilingGraph tiling;
        const std::string problem = MakeRegularTiling(row.p, row.q, row.depth, 5000, tiling);
        EXPECT_EQ(problem.empty(), row.says.empty()) << problem;
        EXPECT_NE(problem.find(row.says), std::string::npos) << problem;
        EXPECT_EQ(tiling.points.empty(), !row.says.empty());
    }
}
