// tessel-cli move, run as a separate process: where the moved circles land, that packing the
// result again keeps the view, and what the command refuses.
#include "CliRunner.h"
#include "circles/CPCircle.h"
#include "document/TesselDoc.h"
#include "packing/ConvergedPacking.h"
#include "support/PackingGeometry.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

void OpenConverged(const std::string& path, CTesselDoc& doc) {
    std::string error;
    ASSERT_TRUE(doc.OnOpenDocument(path, error)) << error;
    CConvergedPacking outcome;
    ASSERT_TRUE(doc.PackToConvergence(1e-12, {}, outcome));
    CPackingGeometry g = MeasurePackingGeometry(doc.m_nodes, doc.m_edges);
    EXPECT_TRUE(g.Holds(1e-9, 1e-12)) << g.Describe();
}

const CDPoint& HyperbolicCentre(const CTesselDoc& doc, int node) {
    return doc.GetNodeAt(node)->m_circle->m_diskCentre;
}

} // namespace

TEST(CliMove, CentreAndCarryLandWhereAskedAndStayWhenPackedAgain) {
    CTempDir dir;
    const std::string in = dir.File("h.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "4", in}).exitCode, 0);
    CTesselDoc centred;
    OpenConverged(in, centred);
    const int middle = centred.IndexOfNode(centred.m_nodes.FindStartNode());
    const int up = centred.IndexOfNode(centred.GetNodeAt(middle)->FindUpNeighbour());
    ASSERT_EQ(HyperbolicCentre(centred, middle), CDPoint(0, 0));

    // An inner node of the last inner ring, brought to the middle and kept there.
    int outer = middle;
    for (int i = 0; i < centred.m_nodes.GetSize(); ++i) {
        if (centred.GetNodeAt(i)->m_kind == Inner &&
            HyperbolicCentre(centred, i).Abs() > HyperbolicCentre(centred, outer).Abs()) {
            outer = i;
        }
    }
    CCliResult moved =
        RunCliProcess(dir, {"move", in, dir.File("c.tesl"), "--centre", std::to_string(outer)});
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_TRUE(moved.out.starts_with("newton iterations ")) << moved.out;
    CTesselDoc centredOnOuter;
    OpenConverged(dir.File("c.tesl"), centredOnOuter);
    EXPECT_LT(HyperbolicCentre(centredOnOuter, outer).Abs(), 1e-9);
    EXPECT_GT(HyperbolicCentre(centredOnOuter, middle).Abs(), 0.5);

    // The middle carried to (0.5, 0), turned a quarter counter-clockwise on the screen: the
    // neighbour that was straight down the screen (+y) now lies to the right (+x).
    ASSERT_EQ(
        RunCliProcess(dir, {"move", in, dir.File("t.tesl"), "--to", "0.5,0", "--rotate", "90"})
            .exitCode,
        0);
    CTesselDoc carried;
    OpenConverged(dir.File("t.tesl"), carried);
    EXPECT_NEAR(HyperbolicCentre(carried, middle).x, 0.5, 1e-9);
    EXPECT_NEAR(HyperbolicCentre(carried, middle).y, 0, 1e-9);
    EXPECT_GT(HyperbolicCentre(carried, up).x, 0.5);
    EXPECT_NEAR(HyperbolicCentre(carried, up).y, 0, 1e-9);

    // Moves compose through files: back to the middle and turned back gives the start.
    ASSERT_EQ(RunCliProcess(dir, {"move", dir.File("t.tesl"), dir.File("b.tesl"), "--centre",
                                  std::to_string(middle), "--rotate", "-90"})
                  .exitCode,
              0);
    CTesselDoc back;
    OpenConverged(dir.File("b.tesl"), back);
    for (int i = 0; i < back.m_nodes.GetSize(); ++i) {
        EXPECT_NEAR(back.GetNodeAt(i)->m_circle->m_euclidCentre.Distance(
                        centred.GetNodeAt(i)->m_circle->m_euclidCentre),
                    0, 1e-9)
            << i;
    }
}

TEST(CliMove, RefusesWhatCannotBeMoved) {
    CTempDir dir;
    const std::string in = dir.File("h.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", in}).exitCode, 0);
    const std::string out = dir.File("o.tesl");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"move", in, out}, 2, "give one of --centre NODE and --to X,Y"},
        {{"move", in, out, "--centre", "0", "--to", "0,0"}, 2, "give one of"},
        {{"move", in, out, "--to", "0.8,0.6"}, 2, "inside the unit circle"},
        {{"move", in, out, "--to", "0.5"}, 2, "--to must be X,Y"},
        {{"move", in, out, "--centre", "19"}, 2, "--centre takes a node from 0 to 18"},
        {{"move", in, out, "--centre", "-1"}, 2, "--centre"},
        {{"move", in, out, "--to", "0,0", "--rotate", "abc"}, 2, "--rotate"},
        {{"move", in, out, "--centre", "18"}, 1, "node 18 is a boundary circle"},
        {{"move", dir.File("missing.tesl"), out, "--to", "0,0"}, 1, "missing.tesl"},
    };
    for (const Case& c : cases) {
        CCliResult result = RunCliProcess(dir, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}
