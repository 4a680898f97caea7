// tessel-cli pack --converge and export packing to convergence by default, run as a separate
// process: the summary, agreement with the document's own Pack to Convergence, shortfalls and
// refusals.
#include "CliRunner.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "model/GraphInvariants.h"
#include "packing/ConvergedPacking.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

// "newton iterations N, largest inner angle-sum error E, T s": N and E.
bool ReadConvergeSummary(const std::string& out, int& iterations, double& error) {
    static const std::regex line("newton iterations ([0-9]+), largest inner angle-sum error "
                                 "([-+.e0-9]+), [0-9]+\\.[0-9]{3} s\n");
    std::smatch match;
    if (!std::regex_match(out, match, line)) {
        return false;
    }
    iterations = std::stoi(match[1].str());
    error = std::stod(match[2].str());
    return true;
}

void OpenConverged(const std::string& path, CTesselDoc& doc) {
    std::string error;
    ASSERT_TRUE(doc.OnOpenDocument(path, error)) << error;
    CConvergedPacking outcome;
    ASSERT_TRUE(doc.PackToConvergence(1e-12, {}, outcome));
}

} // namespace

TEST(CliConverge, PackAndExportConvergeAsTheDocumentDoes) {
    CTempDir dir;
    std::string in = dir.File("r.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"random", "200", in, "--seed", "4"}).exitCode, 0);
    CTesselDoc expected;
    OpenConverged(in, expected);

    CCliResult packed = RunCliProcess(dir, {"pack", in, dir.File("p.tesl"), "--converge"});
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_EQ(packed.err, "");
    int iterations = 0;
    double error = 1;
    ASSERT_TRUE(ReadConvergeSummary(packed.out, iterations, error)) << packed.out;
    EXPECT_GE(iterations, 1);
    EXPECT_LE(iterations, 12);
    EXPECT_LE(error, 1e-12);
    CTesselDoc saved;
    std::string problem;
    ASSERT_TRUE(saved.OnOpenDocument(dir.File("p.tesl"), problem)) << problem;
    EXPECT_EQ(DescribeGraph(saved.m_nodes, saved.m_edges),
              DescribeGraph(expected.m_nodes, expected.m_edges));

    // Without a packing option, export packs to convergence; --runs keeps its meaning.
    CCliResult exported = RunCliProcess(dir, {"export", in, dir.File("c.txt"), "--format", "txt"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    ASSERT_TRUE(ReadConvergeSummary(exported.out, iterations, error)) << exported.out;
    std::string format = "%X %Y %R";
    ASSERT_EQ(RunCliProcess(dir, {"export", in, dir.File("f.txt"), "--format", "txt",
                                  "--converge=1e-12", "--text-format", format})
                  .exitCode,
              0);
    ASSERT_EQ(ExportText(expected, dir.File("e.txt"), expected.GetPackingScale(), format),
              ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("f.txt")), ReadText(dir.File("e.txt")));
    CCliResult runs =
        RunCliProcess(dir, {"export", in, dir.File("r.txt"), "--format", "txt", "--runs", "1"});
    ASSERT_EQ(runs.exitCode, 0) << runs.err;
    EXPECT_TRUE(runs.out.starts_with("runs 1, ")) << runs.out;
}

TEST(CliConverge, ShortfallsRefusalsAndBadOptions) {
    CTempDir dir;
    std::string in = dir.File("h.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", in}).exitCode, 0);
    // Finer than doubles resolve: the best reached is saved, and the shortfall is an error.
    CCliResult fine = RunCliProcess(dir, {"pack", in, dir.File("f.tesl"), "--converge", "1e-30"});
    EXPECT_EQ(fine.exitCode, 1);
    EXPECT_TRUE(fine.err.starts_with("tessel-cli pack: did not converge to 1.000e-30 (largest "
                                     "error "))
        << fine.err;
    CTesselDoc reached;
    std::string problem;
    EXPECT_TRUE(reached.OnOpenDocument(dir.File("f.tesl"), problem)) << problem;

    ASSERT_EQ(RunCliProcess(dir, {"new", dir.File("n.tesl")}).exitCode, 0);
    CCliResult refused =
        RunCliProcess(dir, {"pack", dir.File("n.tesl"), dir.File("o.tesl"), "--converge"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "tessel-cli pack: " + LoadString(ids::kPackingRefused) + "\n");

    const std::vector<std::vector<std::string>> usage = {
        {"pack", in, dir.File("o.tesl"), "--converge", "--runs", "2"},
        {"pack", in, dir.File("o.tesl"), "--converge=1e-9", "--until", "1e-3"},
        {"pack", in, dir.File("o.tesl"), "--converge=abc"},
        {"pack", in, dir.File("o.tesl"), "--converge", "0"},
        {"export", in, dir.File("o.eps"), "--format", "eps", "--converge=-1"},
        {"hex", "578", dir.File("o.tesl")},
        {"random", "1000001", dir.File("o.tesl")},
    };
    for (const auto& args : usage) {
        CCliResult result = RunCliProcess(dir, args);
        EXPECT_EQ(result.exitCode, 2) << args[0] << " " << args.back() << ": " << result.err;
        EXPECT_NE(result.err.find("(try --help)"), std::string::npos) << result.err;
    }
}

// On a terminal the progress is one line per Newton iteration, however often the solver asks
// whether to go on.
TEST(CliConverge, ProgressOnATerminalIsOneLinePerIteration) {
    CTempDir dir;
    std::string in = dir.File("r.tesl");
    ASSERT_EQ(RunCliProcess(dir, {"random", "3000", in, "--seed", "1"}).exitCode, 0);
    // script(1) gives the command a terminal and writes what it shows to standard output.
    std::string inner = ShellQuote(TESSEL_CLI_PATH) + " pack " + ShellQuote(in) + " " +
                        ShellQuote(dir.File("p.tesl")) + " --converge";
    std::string command = "script -qec " + ShellQuote(inner) + " /dev/null >" +
                          ShellQuote(dir.File("tty.out")) + " </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string shown = ReadText(dir.File("tty.out"));
    static const std::regex progress("newton iteration ([0-9]+),");
    std::vector<int> iterations;
    for (auto it = std::sregex_iterator(shown.begin(), shown.end(), progress);
         it != std::sregex_iterator(); ++it) {
        iterations.push_back(std::stoi((*it)[1].str()));
    }
    ASSERT_GE(iterations.size(), 2u) << shown;
    for (std::size_t i = 0; i < iterations.size(); ++i) {
        EXPECT_EQ(iterations[i], int(i)) << shown;
    }
}
