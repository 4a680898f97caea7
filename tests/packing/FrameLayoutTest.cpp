// The layout by frames: every circle where placing it from its own neighbours would put it,
// horocycles included, the start where Circle Packing puts it, and the refusal of a start
// that is no inner node.
#include "packing/FrameLayout.h"

#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/FanIndex.h"
#include "packing/MaximalPacking.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

int IndexOf(const CCPNodeArray& nodes, const CCPNode* node) {
    return static_cast<int>(std::find(nodes.m_array.begin(), nodes.m_array.end(), node) -
                            nodes.m_array.begin());
}

// How far circle v lies from where its neighbours a, b (consecutive in its fan) place it, as
// a fraction of its radius.
double Misplacement(const std::vector<CWideCircle>& circles, const std::vector<long double>& radii,
                    int v, int a, int b) {
    CWideCircle there = PlaceFromPair(circles[a], radii[a], circles[b], radii[b], radii[v]);
    long double apart = std::abs(there.euclidCentre - circles[v].euclidCentre) +
                        std::fabs(there.euclidRadius - circles[v].euclidRadius);
    return double(apart / circles[v].euclidRadius);
}

} // namespace

TEST(FrameLayout, EveryCircleSitsWhereItsNeighboursPlaceIt) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildRandomDisk(doc, 400, 3));
    CFanIndex fans(doc.m_nodes);
    CNewtonResult solved = SolveMaximalPacking(fans, {}, 1e-13, {});
    ASSERT_EQ(solved.status, NewtonStatus::Converged);
    const CCPNode* start = doc.m_nodes.FindStartNode();
    int p = IndexOf(doc.m_nodes, start);
    int q = IndexOf(doc.m_nodes, start->FindUpNeighbour());
    std::vector<CWideCircle> circles(fans.Size());
    std::vector<char> placed(fans.Size(), 0);
    ASSERT_TRUE(LayOutByFrames(fans, solved.radii, p, q, circles, placed));
    EXPECT_EQ(std::count(placed.begin(), placed.end(), 1), fans.Size());

    EXPECT_LT(std::abs(circles[p].euclidCentre), 1e-18);
    EXPECT_LT(std::fabs(circles[q].euclidCentre.real()), 1e-18);
    EXPECT_GT(circles[q].euclidCentre.imag(), 0);
    double worst = 0;
    for (int v = 0; v < fans.Size(); ++v) {
        int k = fans.Degree(v);
        for (int i = 0; i + 1 < k || (fans.IsInner(v) && i < k); ++i) {
            int a = fans.Neighbour(v, i);
            int b = fans.Neighbour(v, (i + 1) % k);
            worst = std::max(worst, Misplacement(circles, solved.radii, v, a, b));
        }
        if (!fans.IsInner(v)) {
            EXPECT_LT(std::fabs(1 - std::abs(circles[v].euclidCentre) - circles[v].euclidRadius),
                      1e-17)
                << "horocycle " << v;
        }
    }
    EXPECT_LT(worst, 1e-12);
}

TEST(FrameLayout, RefusesAStartOnTheBoundary) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    CFanIndex fans(doc.m_nodes);
    int boundary = 0;
    while (fans.IsInner(boundary)) {
        ++boundary;
    }
    std::vector<long double> radii(fans.Size(), 1);
    std::vector<CWideCircle> circles(fans.Size());
    std::vector<char> placed(fans.Size(), 0);
    EXPECT_FALSE(
        LayOutByFrames(fans, radii, boundary, fans.Neighbour(boundary, 0), circles, placed));
    EXPECT_EQ(std::count(placed.begin(), placed.end(), 1), 0);
}
