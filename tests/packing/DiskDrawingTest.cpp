// Drawings of generated disks: no crossing (every triangle turns as the graph does), inside
// the unit circle, the lattice regular, refusals for graphs they do not fit, and the drawings
// the generators open with.
#include "packing/DiskDrawing.h"

#include "circles/CPCircle.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"
#include "model/FanIndex.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Triangles that turn the wrong way or are flat, over every fan; and the largest |point|.
struct DrawingFigures {
    int badTriangles = 0;
    double reach = 0;
};

DrawingFigures Measure(const CFanIndex& fans, const std::vector<CDPoint>& points) {
    DrawingFigures figures;
    for (int v = 0; v < fans.Size(); ++v) {
        figures.reach = std::max(figures.reach, points[v].Abs());
        const int k = fans.Degree(v);
        const int pairs = fans.IsInner(v) ? k : k - 1;
        for (int i = 0; i < pairs; ++i) {
            const CDPoint a = points[fans.Neighbour(v, i)] - points[v];
            const CDPoint b = points[fans.Neighbour(v, (i + 1) % k)] - points[v];
            figures.badTriangles += a.x * b.y - a.y * b.x > 0 ? 0 : 1;
        }
    }
    return figures;
}

struct DiskCase {
    const char* name;
    std::function<bool(CTesselDoc&)> build;
};

const std::vector<DiskCase> kDisks = {
    {"hex 1", [](CTesselDoc& d) { return BuildHexDisk(d, 1); }},
    {"hex 12", [](CTesselDoc& d) { return BuildHexDisk(d, 12); }},
    {"random 5", [](CTesselDoc& d) { return BuildRandomDisk(d, 5, 1); }},
    {"random 2000", [](CTesselDoc& d) { return BuildRandomDisk(d, 2000, 9); }},
};

} // namespace

TEST(DiskDrawing, BarycentricDrawingsHaveNoCrossingAndStayInside) {
    for (const DiskCase& disk : kDisks) {
        CTesselDoc doc;
        ASSERT_TRUE(disk.build(doc)) << disk.name;
        CFanIndex fans(doc.m_nodes);
        // The generators open their disks so drawn, scaled to the circle the view shows, a hex
        // disk on the lattice about its centre node.
        std::vector<CDPoint> points;
        for (const CCPNode* node : doc.m_nodes.m_array) {
            points.push_back(*node / doc.GetPackingScale());
        }
        const DrawingFigures opened = Measure(fans, points);
        EXPECT_EQ(opened.badTriangles, 0) << disk.name;
        EXPECT_NEAR(opened.reach, 1, 1e-9) << disk.name;
        EXPECT_TRUE(disk.name[0] != 'h' || points[0].Abs() == 0) << disk.name;
        ASSERT_TRUE(DrawBarycentric(fans, points)) << disk.name;
        DrawingFigures figures = Measure(fans, points);
        EXPECT_EQ(figures.badTriangles, 0) << disk.name;
        EXPECT_NEAR(figures.reach, 1, 1e-12) << disk.name;
        for (int v = 0; v < fans.Size(); ++v) {
            if (fans.IsInner(v)) {
                CDPoint mean;
                for (int p = 0; p < fans.Degree(v); ++p) {
                    mean = mean + points[fans.Neighbour(v, p)] / fans.Degree(v);
                }
                EXPECT_NEAR(mean.Distance(points[v]), 0, 1e-9) << disk.name << ' ' << v;
            }
        }
    }
}

TEST(DiskDrawing, HexDisksLieOnTheLatticeAndOtherDisksAreRefused) {
    for (int rings : {1, 2, 9}) {
        CTesselDoc doc;
        ASSERT_TRUE(BuildHexDisk(doc, rings));
        CFanIndex fans(doc.m_nodes);
        std::vector<CDPoint> points;
        ASSERT_TRUE(DrawOnLattice(fans, 0, points)) << rings;
        EXPECT_EQ(Measure(fans, points).badTriangles, 0) << rings;
        // Every edge one lattice step long, and the corners on the unit circle.
        for (int v = 0; v < fans.Size(); ++v) {
            for (int p = 0; p < fans.Degree(v); ++p) {
                EXPECT_NEAR(points[v].Distance(points[fans.Neighbour(v, p)]), 1.0 / rings, 1e-12);
            }
        }
        EXPECT_NEAR(Measure(fans, points).reach, 1, 1e-12);
    }
    CTesselDoc random;
    ASSERT_TRUE(BuildRandomDisk(random, 300, 2));
    CFanIndex fans(random.m_nodes);
    std::vector<CDPoint> points;
    EXPECT_FALSE(DrawOnLattice(fans, 0, points));
    EXPECT_TRUE(points.empty());
    EXPECT_FALSE(DrawOnLattice(fans, fans.Size(), points));
}
