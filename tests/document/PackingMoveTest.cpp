// Moves of the packing by disk isometries: the packing stays a packing, undo and cancel put
// it back, and Pack to Convergence keeps a moved view, from memory and from a file.
#include "packing/PackingMove.h"

#include "circles/CPCircle.h"
#include "document/GraphBuilder.h"
#include "document/StringIds.h"
#include "document/TesselDoc.h"
#include "geometry/DiskMove.h"
#include "model/CPEdge.h"
#include "packing/ConvergedPacking.h"
#include "support/PackingGeometry.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct CircleState {
    CDiskCircle circle;
    double radius;
};

std::vector<CircleState> Circles(const CTesselDoc& doc) {
    std::vector<CircleState> circles;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        const CCPCircle& c = *node->m_circle;
        circles.push_back({{c.m_diskCentre, c.m_euclidCentre, c.m_euclidRadius}, c.m_radius});
    }
    return circles;
}

// Figures a disk isometry keeps, read from the Euclidean circles: for two circles their
// inversive distance (1 when they touch from outside), for one circle the same with the unit
// circle, coth of its hyperbolic radius.
double InversiveDistance(const CDiskCircle& a, const CDiskCircle& b) {
    const CDPoint d = a.euclidCentre - b.euclidCentre;
    const double ra = a.euclidRadius, rb = b.euclidRadius;
    return (d.Dot(d) - ra * ra - rb * rb) / (2 * ra * rb);
}

double HyperbolicCoth(const CDiskCircle& c) {
    const double e = c.euclidCentre.Abs(), r = c.euclidRadius;
    return ((1 - e) * (1 + e) + r * r) / (2 * r);
}

void ExpectSameCircles(const std::vector<CircleState>& a, const std::vector<CircleState>& b,
                       double tolerance, const std::string& what) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i].circle.euclidCentre.x, b[i].circle.euclidCentre.x, tolerance)
            << what << " node " << i;
        EXPECT_NEAR(a[i].circle.euclidCentre.y, b[i].circle.euclidCentre.y, tolerance)
            << what << " node " << i;
        EXPECT_NEAR(a[i].circle.euclidRadius, b[i].circle.euclidRadius, tolerance)
            << what << " node " << i;
    }
}

// Packed disks: converged (boundary circles horocycles) or by Circle Packing runs (every
// circle finite).
struct PackedDisk {
    const char* name;
    std::function<bool(CTesselDoc&)> build;
    bool converged;
};

const std::vector<PackedDisk> kDisks = {
    {"hex converged", [](CTesselDoc& d) { return BuildHexDisk(d, 5); }, true},
    {"random converged", [](CTesselDoc& d) { return BuildRandomDisk(d, 300, 7); }, true},
    {"hex by runs", [](CTesselDoc& d) { return BuildHexDisk(d, 4); }, false},
};

void Pack(CTesselDoc& doc, bool converged) {
    if (converged) {
        CConvergedPacking outcome;
        ASSERT_TRUE(doc.PackToConvergence(1e-13, {}, outcome));
        return;
    }
    for (int run = 0; run < 40; ++run) {
        ASSERT_TRUE(doc.RunPacking());
    }
}

// Moves of every kind a user makes: bringing circles near and far from the middle to it, a
// carry to a point with a turn, and a drag of many small steps composed afresh each time.
struct MoveCase {
    const char* name;
    std::function<void(CTesselDoc&)> apply;
};

void CentreOn(CTesselDoc& doc, int index) {
    std::optional<CDiskMove> move = doc.FindCentringMove(doc.GetNodeAt(index));
    ASSERT_TRUE(move.has_value()) << index;
    ASSERT_TRUE(doc.MovePacking(*move, ids::kStepCentreOnCircle));
}

int InnerNodeFarthestOut(const CTesselDoc& doc) {
    int best = -1;
    for (int i = 0; i < doc.m_nodes.GetSize(); ++i) {
        const CCPNode* node = doc.GetNodeAt(i);
        if (node->m_kind == Inner &&
            (best < 0 || node->m_circle->m_diskCentre.Abs() >
                             doc.GetNodeAt(best)->m_circle->m_diskCentre.Abs())) {
            best = i;
        }
    }
    return best;
}

const std::vector<MoveCase> kMoves = {
    {"centre on the outermost inner circle",
     [](CTesselDoc& d) { CentreOn(d, InnerNodeFarthestOut(d)); }},
    {"carry and turn",
     [](CTesselDoc& d) {
         ASSERT_TRUE(
             d.MovePacking(CDiskMove::Rotation(2.5).Then(CDiskMove::FromOrigin({0.5, -0.3})),
                           ids::kStepMovePacking));
     }},
    {"drag",
     [](CTesselDoc& d) {
         ASSERT_TRUE(d.StartMove(ids::kStepMovePacking));
         for (int step = 1; step <= 20; ++step) {
             d.ShowMove(CDiskMove::Along({0.1, 0.2}, {0.1 - 0.03 * step, 0.2 + 0.02 * step}));
         }
         d.FinishMove();
     }},
};

} // namespace

TEST(PackingMove, TheMovedPackingIsTheSamePacking) {
    for (const PackedDisk& disk : kDisks) {
        for (const MoveCase& move : kMoves) {
            const std::string what = std::string(disk.name) + ", " + move.name;
            CTesselDoc doc;
            ASSERT_TRUE(disk.build(doc));
            Pack(doc, disk.converged);
            const std::vector<CircleState> start = Circles(doc);
            move.apply(doc);
            const CPackingGeometry after = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
            EXPECT_EQ(after.unsound + after.unplacedNodes + after.flippedTriangles, 0) << what;
            if (disk.converged) {
                EXPECT_TRUE(after.Holds(1e-12, 1e-12)) << what << ": " << after.Describe();
            }
            EXPECT_TRUE(doc.m_moved) << what;
            const std::vector<CircleState> moved = Circles(doc);
            for (const CCPEdge* edge : doc.m_edges.m_array) {
                const int a = doc.IndexOfNode(edge->m_start), b = doc.IndexOfNode(edge->m_end);
                EXPECT_NEAR(InversiveDistance(moved[a].circle, moved[b].circle),
                            InversiveDistance(start[a].circle, start[b].circle), 1e-12)
                    << what << ", edge " << a << '-' << b;
            }
            double largestShift = 0;
            for (std::size_t i = 0; i < moved.size(); ++i) {
                const CCPNode* node = doc.GetNodeAt(int(i));
                EXPECT_EQ(moved[i].radius, start[i].radius) << what;
                EXPECT_EQ(*node, moved[i].circle.euclidCentre * doc.GetPackingScale()) << what;
                largestShift =
                    std::max(largestShift,
                             moved[i].circle.euclidCentre.Distance(start[i].circle.euclidCentre));
                if (node->m_kind != Inner) {
                    // Boundary circles touch the rim (horocycles) or come within e^-r of it,
                    // nearer than their coordinates resolve a hyperbolic radius.
                    EXPECT_EQ(IsHorocycle(moved[i].circle), IsHorocycle(start[i].circle)) << what;
                    continue;
                }
                const double coth = HyperbolicCoth(start[i].circle);
                EXPECT_NEAR(HyperbolicCoth(moved[i].circle), coth, 1e-12 * coth) << what << i;
            }
            EXPECT_GT(largestShift, 0.05) << what;
        }
    }
}

TEST(PackingMove, UndoCancelAndRedoPutTheCirclesBackExactly) {
    CTesselDoc doc;
    doc.EnableHistory();
    ASSERT_TRUE(BuildHexDisk(doc, 3));
    EXPECT_FALSE(doc.StartMove(ids::kStepMovePacking)); // no packing yet
    Pack(doc, true);
    doc.SetModifiedFlag(false);
    const std::vector<CircleState> start = Circles(doc);
    std::vector<CDPoint> places;
    for (const CCPNode* node : doc.m_nodes.m_array) {
        places.push_back(*node);
    }

    ASSERT_TRUE(doc.StartMove(ids::kStepMovePacking));
    doc.ShowMove(CDiskMove::FromOrigin({0.4, 0.4}));
    doc.CancelMove();
    ExpectSameCircles(Circles(doc), start, 0, "cancelled");
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.StartMove(ids::kStepMovePacking));
    doc.FinishMove(); // a click that moved nothing is no step
    EXPECT_EQ(doc.History().UndoNameId(), ids::kStepPackToConvergence);

    CentreOn(doc, InnerNodeFarthestOut(doc));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.History().UndoNameId(), ids::kStepCentreOnCircle);
    const std::vector<CircleState> moved = Circles(doc);
    ASSERT_TRUE(doc.Undo());
    ExpectSameCircles(Circles(doc), start, 0, "undone");
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(*doc.GetNodeAt(int(i)), places[i]);
    }
    EXPECT_FALSE(doc.m_moved);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    ExpectSameCircles(Circles(doc), moved, 0, "redone");
    EXPECT_TRUE(doc.m_moved);
}

TEST(PackingMove, HorocyclesCannotBeCentred) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 2));
    EXPECT_FALSE(doc.FindCentringMove(doc.GetNodeAt(0))); // not laid out yet
    Pack(doc, true);
    for (const CCPNode* node : doc.m_nodes.m_array) {
        EXPECT_EQ(doc.FindCentringMove(node).has_value(), node->m_kind == Inner);
    }
}

// Pack to Convergence after a move puts the circle nearest the middle back where the move
// left it; without a move, or after Circle Packing, the layout is centred again.
TEST(PackingMove, PackToConvergenceKeepsAMovedView) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildRandomDisk(doc, 200, 3));
    Pack(doc, true);
    const std::vector<CircleState> centred = Circles(doc);
    Pack(doc, true);
    ExpectSameCircles(Circles(doc), centred, 1e-12, "packed twice");
    EXPECT_EQ(*doc.m_nodes.FindStartNode(), CDPoint(0, 0));

    CentreOn(doc, InnerNodeFarthestOut(doc));
    ASSERT_TRUE(doc.MovePacking(CDiskMove::Rotation(1).Then(CDiskMove::FromOrigin({-0.2, 0.1})),
                                ids::kStepMovePacking));
    const std::vector<CircleState> moved = Circles(doc);
    Pack(doc, true);
    EXPECT_FALSE(doc.m_moved);
    ExpectSameCircles(Circles(doc), moved, 1e-10, "moved, packed again");
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_TRUE(g.Holds(1e-9, 1e-12)) << g.Describe();

    // A file keeps no circles, only the node positions: opened again, the same view.
    std::vector<std::uint8_t> bytes = doc.SaveToBytes();
    CTesselDoc reopened;
    std::string error;
    ASSERT_TRUE(reopened.LoadFromBytes(bytes, error)) << error;
    Pack(reopened, true);
    ExpectSameCircles(Circles(reopened), moved, 1e-9, "from the file");

    // Circle Packing lays out from its own start, and the next converged layout is centred.
    ASSERT_TRUE(doc.MovePacking(CDiskMove::FromOrigin({0.3, 0}), ids::kStepMovePacking));
    ASSERT_TRUE(doc.RunPacking());
    EXPECT_FALSE(doc.m_moved);
    Pack(doc, true);
    EXPECT_EQ(*doc.m_nodes.FindStartNode(), CDPoint(0, 0));
}

// A generated disk's drawing is no packing: its first converged layout is the centred one.
TEST(PackingMove, ADrawingThatIsNoPackingGivesTheCentredLayout) {
    CTesselDoc generated;
    ASSERT_TRUE(BuildHexDisk(generated, 4));
    CTesselDoc fresh;
    std::string error;
    ASSERT_TRUE(fresh.LoadFromBytes(generated.SaveToBytes(), error)) << error;
    for (CCPNode* node : fresh.m_nodes.m_array) {
        node->Set(*node * 0.5 + CDPoint(3, -7));
    }
    Pack(fresh, true);
    EXPECT_EQ(*fresh.m_nodes.FindStartNode(), CDPoint(0, 0));
}
