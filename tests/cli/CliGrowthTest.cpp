// tessel-cli refine, layer and tiling, run as a separate process: the counts they print and save,
// and their refusals.
#include "CliRunner.h"
#include "document/TesselDoc.h"
#include "model/GraphGrowth.h"

#include <gtest/gtest.h>

TEST(CliGrowth, GrowsByTheFormulasAndRefusesWhatItCannot) {
    CTempDir dir;
    const std::string in = dir.File("h.tesl");
    const std::string out = dir.File("g.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", in}).exitCode, 0); // 19 nodes, 42 edges, 24 faces
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::string says; // in the standard output on success, else in the error line
        int nodes;        // saved in out; 0 when nothing is saved
    };
    const Row rows[] = {
        {{"refine", in, out, "--hex"}, 0, "61 nodes, 156 edges, 96 triangles", 61},
        {{"refine", in, out, "--barycentric"}, 0, "85 nodes, 228 edges, 144 triangles", 85},
        {{"refine", in, out, "--hex", "--times", "2"}, 0, "217 nodes", 217},
        {{"layer", in, out}, 0, "31 nodes, 78 edges, 48 triangles", 31},
        {{"layer", in, out, "--times=3"}, 0, "55 nodes", 55},
        {{"refine", in, out}, 2, "give one of --hex and --barycentric", 0},
        {{"refine", in, out, "--hex", "--barycentric"}, 2, "give one of", 0},
        {{"layer", in, out, "--times", "0"}, 2, "--times", 0},
        {{"layer", in}, 2, "missing arguments", 0},
        {{"refine", in, out, "--hex", "--times", "9"}, 1, "3148801 nodes; at most 1000000", 0},
        {{"layer", dir.File("missing.tesl"), out}, 1, "missing.tesl", 0},
        {{"tiling", "7", "3", "2", out}, 0, "43 nodes, 98 edges, 56 triangles", 43},
        {{"tiling", "4", "4", "2", out}, 2, "{4,4} is no hyperbolic tiling", 0},
        {{"tiling", "3", "7", "0", out}, 2, "DEPTH must be a whole number from 1 to 100", 0},
    };
    for (const Row& row : rows) {
        std::remove(out.c_str());
        const CCliResult result = RunCliProcess(dir, row.args);
        const std::string what = row.args[0] + " " + row.args.back();
        EXPECT_EQ(result.exitCode, row.exitCode) << what << ": " << result.err;
        const std::string& text = row.exitCode == 0 ? result.out : result.err;
        EXPECT_NE(text.find(row.says), std::string::npos) << what << ": " << text;
        if (row.exitCode != 0) {
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
            continue;
        }
        CTesselDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(out, error)) << error;
        EXPECT_EQ(doc.m_nodes.GetSize(), row.nodes) << what;
    }
}
