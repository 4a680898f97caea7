// tessel-cli pack, run as a separate process on generated files.
#include "CliRunner.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "model/GraphInvariants.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>

namespace {

struct Summary {
    long runs = 0;
    double innerError = 0.0;
    double boundarySum = 0.0;
};

// The one summary line: runs, the two errors and the seconds.
bool ReadSummary(const std::string& out, Summary& summary) {
    static const std::regex line("runs ([0-9]+), largest inner angle-sum error ([-+.e0-9]+), "
                                 "largest boundary angle sum ([-+.e0-9]+), [0-9]+\\.[0-9]{3} s\n");
    std::smatch match;
    if (!std::regex_match(out, match, line)) {
        return false;
    }
    summary = {std::atol(match[1].str().c_str()), std::atof(match[2].str().c_str()),
               std::atof(match[3].str().c_str())};
    return true;
}

} // namespace

TEST(CliPack, PacksAGeneratedDiskUntilItClosesAndSavesTheMovedNodes) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "4", dir.File("h.tesl")}).exitCode, 0);
    CCliResult packed =
        RunCliProcess(dir, {"pack", dir.File("h.tesl"), dir.File("p.tesl"), "--until", "1e-4"});
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_EQ(packed.err, ""); // no progress lines when stderr is no terminal
    Summary summary;
    ASSERT_TRUE(ReadSummary(packed.out, summary)) << packed.out;
    EXPECT_GT(summary.runs, 1);
    EXPECT_LT(summary.runs, 50);
    EXPECT_LT(summary.innerError, 1e-4);
    EXPECT_LT(summary.boundarySum, 1e-4);

    CTesselDoc before;
    CTesselDoc after;
    std::string error;
    ASSERT_TRUE(before.OnOpenDocument(dir.File("h.tesl"), error)) << error;
    ASSERT_TRUE(after.OnOpenDocument(dir.File("p.tesl"), error)) << error;
    EXPECT_EQ(FindInvariantBreak(after.m_nodes, after.m_edges), "");
    ASSERT_EQ(after.m_nodes.GetSize(), before.m_nodes.GetSize());
    // The start node sits at the centre, every node inside the disk of radius 500 - 10.
    EXPECT_EQ(*after.m_nodes.FindStartNode(), CDPoint(0, 0));
    for (const CCPNode* node : after.m_nodes.m_array) {
        EXPECT_LT(node->Abs(), 490.0 + 1e-9);
    }
    // The same runs in process put the nodes exactly where the saved file has them.
    for (long run = 0; run < summary.runs; ++run) {
        ASSERT_TRUE(before.RunPacking());
    }
    EXPECT_EQ(DescribeGraph(after.m_nodes, after.m_edges),
              DescribeGraph(before.m_nodes, before.m_edges));
}

TEST(CliPack, RunsThresholdAndRandomize) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"random", "150", dir.File("r.tesl")}).exitCode, 0);
    Summary fixed;
    CCliResult three =
        RunCliProcess(dir, {"pack", dir.File("r.tesl"), dir.File("a.tesl"), "--runs", "3"});
    ASSERT_EQ(three.exitCode, 0) << three.err;
    ASSERT_TRUE(ReadSummary(three.out, fixed));
    EXPECT_EQ(fixed.runs, 3);

    // A finer threshold lets the inner error fall below what the default one reaches.
    Summary fine;
    CCliResult tight =
        RunCliProcess(dir, {"pack", dir.File("r.tesl"), dir.File("b.tesl"), "--threshold=1e-6",
                            "--until", "5e-6", "--max-runs", "400", "--randomize"});
    ASSERT_EQ(tight.exitCode, 0) << tight.err;
    ASSERT_TRUE(ReadSummary(tight.out, fine));
    EXPECT_LT(fine.innerError, 5e-6);
    EXPECT_LE(fine.runs, 400);

    // --max-runs bounds a target that cannot be met: what was reached is saved, sound, and
    // the shortfall is an error.
    Summary capped;
    CCliResult bounded =
        RunCliProcess(dir, {"pack", dir.File("r.tesl"), dir.File("c.tesl"), "--until", "1e-12",
                            "--max-runs", "4", "--threshold", "0"});
    EXPECT_EQ(bounded.exitCode, 1);
    EXPECT_TRUE(bounded.err.starts_with("tessel-cli pack: did not reach 1.000e-12 after 4 runs "
                                        "(largest error "))
        << bounded.err;
    ASSERT_TRUE(ReadSummary(bounded.out, capped));
    EXPECT_EQ(capped.runs, 4);
    CTesselDoc reached;
    std::string error;
    EXPECT_TRUE(reached.OnOpenDocument(dir.File("c.tesl"), error)) << error;
}

TEST(CliPack, RefusalsAndBadOptions) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"new", dir.File("n.tesl")}).exitCode, 0);
    ASSERT_EQ(RunCliProcess(dir, {"hex", "1", dir.File("h.tesl")}).exitCode, 0);
    CCliResult refused = RunCliProcess(dir, {"pack", dir.File("n.tesl"), dir.File("o.tesl")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "tessel-cli pack: " + LoadString(300) + "\n");
    EXPECT_EQ(ReadText(dir.File("o.tesl")), ""); // nothing written

    std::string in = dir.File("h.tesl");
    std::string out = dir.File("o.tesl");
    const std::vector<std::vector<std::string>> usage = {
        {"pack", in},
        {"pack", in, out, "--runs", "0"},
        {"pack", in, out, "--runs", "2", "--until", "1e-3"},
        {"pack", in, out, "--max-runs", "5"},
        {"pack", in, out, "--until", "0"},
        {"pack", in, out, "--until", "nan"},
        {"pack", in, out, "--threshold", "1e-4x"},
        {"pack", in, out, "--randomize=1"},
    };
    for (const std::vector<std::string>& args : usage) {
        CCliResult result = RunCliProcess(dir, args);
        EXPECT_EQ(result.exitCode, 2) << args.back() << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(RunCliProcess(dir, {"pack", dir.File("missing.tesl"), out}).exitCode, 1);
    CCliResult help = RunCliProcess(dir, {"pack", "--help"});
    EXPECT_NE(help.out.find("usage: tessel-cli pack"), std::string::npos);
}
