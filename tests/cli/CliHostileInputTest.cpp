// tessel-cli against what scripts and hostile files give it: things that are no files, names
// and contents with control bytes, full disks and file-size limits, repeated options, long
// names and links. Every failure is one line on stderr and a nonzero exit.
#include "CliRunner.h"
#include "document/StringIds.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int Lines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(CliHostileInput, ThingsThatAreNoFilesAreNamedAndNeverWaitedFor) {
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.File("f.tesl").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(dir.File("p.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder.ini"));
    ASSERT_EQ(RunCliProcess(dir, {"new", dir.File("a.tesl")}).exitCode, 0);
    struct Row {
        std::vector<std::string> args;
        std::string message;
    };
    const Row rows[] = {
        {{"info", dir.File("f.tesl")}, "it is a named pipe (FIFO), not a regular file."},
        {{"info", dir.Path()}, "it is a folder, not a file."},
        {{"pack", "/dev/zero", dir.File("o.tesl")}, "it is a device, not a regular file."},
        {{"style", dir.File("f.tesl"), dir.File("o.tesl"), "--line-width", "2"},
         "it is a named pipe (FIFO), not a regular file."},
        {{"info", dir.File("a.tesl"), "--profile", dir.File("p.ini")},
         "it is a named pipe (FIFO), not a regular file."},
        {{"info", dir.File("a.tesl"), "--profile", dir.File("folder.ini")},
         "it is a folder, not a file."},
        {{"info", dir.File("a.tesl"), "--profile", dir.File("none.ini")},
         "there is no such profile."},
    };
    for (const Row& row : rows) {
        // `timeout` ends a tool that waits for a writer on the pipe.
        CCliResult result = RunCliProcess(dir, row.args, "timeout 20");
        EXPECT_EQ(result.exitCode, 1) << row.args[1] << ": " << result.err;
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(Lines(result.err), 1) << result.err;
    }
}

TEST(CliHostileInput, ControlBytesFromFilesAndArgumentsAreEscaped) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"new", dir.File("a.tesl")}).exitCode, 0);
    std::string bytes = ReadText(dir.File("a.tesl"));
    bytes.replace(24 + 16 + 4 + 2 * 4 + 4 + 6, 9, std::string("\x1b]0;x\x07\n\0Z", 9));
    WriteText(dir.File("evil.tesl"), bytes);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"info", dir.File("evil.tesl")},
          std::vector<std::string>{"info", dir.File("no\x1b[2J\nsuch.tesl")},
          std::vector<std::string>{"hex", "3\x1b[2J", dir.File("x.tesl")},
          std::vector<std::string>{"info", dir.File("a.tesl"), "--bad\x1b\noption"},
          std::vector<std::string>{"no\x1b[2Jcommand"}}) {
        CCliResult result = RunCliProcess(dir, args);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(Lines(result.err), 1) << result.err;
        EXPECT_EQ(result.err.find('\x1b'), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("\\x1b"), std::string::npos) << result.err;
    }
}

TEST(CliHostileInput, WriteFailuresAreOneLineAndLeaveNothingBehind) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", dir.File("h.tesl")}).exitCode, 0);
    for (const char* format : {"bmp", "eps", "txt", "emf"}) {
        CCliResult full = RunCliProcess(
            dir, {"export", dir.File("h.tesl"), "/dev/full", "--format", format, "--runs", "0"});
        EXPECT_EQ(full.exitCode, 1) << format;
        EXPECT_EQ(full.err,
                  "tessel-cli export: /dev/full: " + LoadString(ids::kWriteFailed) + "\n");
    }
    // A file-size limit: the write fails and is reported instead of the signal killing the
    // tool, and the temporary file goes.
    std::filesystem::create_directory(dir.File("out"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"hex", "40", dir.File("out/big.tesl")},
          std::vector<std::string>{"random", "3000", dir.File("out/big.tesl")},
          std::vector<std::string>{"export", dir.File("h.tesl"), dir.File("out/big.bmp"),
                                   "--format", "bmp", "--radius", "300"}}) {
        CCliResult limited = RunCliProcess(dir, args, "ulimit -f 16;");
        EXPECT_EQ(limited.exitCode, 1) << args[0] << ": " << limited.err;
        EXPECT_EQ(Lines(limited.err), 1) << limited.err;
        EXPECT_NE(limited.err.find("big."), std::string::npos) << limited.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.File("out"))) << args[0];
    }
}

TEST(CliHostileInput, AFailedStandardOutputFailsTheCommand) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", dir.File("h.tesl")}).exitCode, 0);
    const std::vector<std::vector<std::string>> commands = {
        {"info", dir.File("h.tesl")},
        {"info", dir.File("h.tesl"), "--json"},
        {"--help"},
        {"export", "--help"},
        {"version"},
        {"--version"},
        {"pack", dir.File("h.tesl"), dir.File("p.tesl")},
        {"export", dir.File("h.tesl"), dir.File("e.eps"), "--format", "eps"},
    };
    for (const std::vector<std::string>& args : commands) {
        CCliResult result = RunCliProcess(dir, args, "", "/dev/full");
        EXPECT_EQ(result.exitCode, 1) << args[0] << " " << args.back();
        EXPECT_NE(result.err.find("cannot write the standard output"), std::string::npos)
            << result.err;
        EXPECT_EQ(Lines(result.err), 1) << result.err;
        EXPECT_EQ(RunCliProcess(dir, args, "", "/dev/null").exitCode, 0) << args[0];
    }
}

TEST(CliHostileInput, RepeatedOptionsAreRefused) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", dir.File("h.tesl")}).exitCode, 0);
    WriteText(dir.File("p.ini"), "[View]\n");
    const std::string in = dir.File("h.tesl"), out = dir.File("o.bmp");
    const std::vector<std::vector<std::string>> rows = {
        {"export", in, out, "--format", "eps", "--format", "bmp"},
        {"export", in, out, "--format=eps", "--format", "eps"},
        {"export", in, out, "--format", "bmp", "--antialias", "--antialias"},
        {"pack", in, out, "--runs", "1", "--runs=2"},
        {"random", "50", out, "--seed", "1", "--seed", "2"},
        {"info", in, "--json", "--json"},
        {"info", in, "--profile", dir.File("p.ini"), "--profile=" + dir.File("p.ini")},
    };
    for (const std::vector<std::string>& args : rows) {
        CCliResult result = RunCliProcess(dir, args);
        EXPECT_EQ(result.exitCode, 2) << args[0] << ": " << result.err;
        EXPECT_NE(result.err.find("is given twice"), std::string::npos) << result.err;
        EXPECT_EQ(Lines(result.err), 1) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliHostileInput, LongNamesAndDanglingLinksAreSaved) {
    CTempDir dir;
    const std::string longName = std::string(244, 'x') + ".tesl"; // 249 bytes
    CCliResult made = RunCliProcess(dir, {"new", dir.File(longName)});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(RunCliProcess(dir, {"hex", "2", dir.File(longName)}).exitCode, 0);
    EXPECT_EQ(ReadText(dir.File(longName)).size(), 1611u); // replaced by the hex disk

    std::filesystem::create_symlink("target.tesl", dir.File("link.tesl"));
    ASSERT_EQ(RunCliProcess(dir, {"new", dir.File("link.tesl")}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.tesl")));
    EXPECT_EQ(ReadText(dir.File("target.tesl")).size(), 223u);

    std::filesystem::create_symlink("loop.tesl", dir.File("loop.tesl"));
    CCliResult loop = RunCliProcess(dir, {"new", dir.File("loop.tesl")});
    EXPECT_EQ(loop.exitCode, 1);
    EXPECT_EQ(Lines(loop.err), 1) << loop.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("loop.tesl")));
}

// A number out of range is refused as its option's value, with the range, whether it is beyond
// what doubles hold or beyond what the option takes; it never becomes the next argument.
TEST(CliHostileInput, NumbersOutOfRangeAreRefusedWithTheRange) {
    CTempDir dir;
    const std::string in = dir.File("h.tesl"), out = dir.File("o.out");
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", in}).exitCode, 0);
    const std::vector<std::string> gradation = {"--gradation", "linear",          "--to",   "1,0",
                                                "--colors",    "#000000,#FFFFFF", "--inner"};
    struct Row {
        std::vector<std::string> args;
        std::string message;
    };
    std::vector<Row> rows = {
        {{"pack", in, "--converge", "1e-400"},
         "--converge must be a number from 1e-300 to 1e+300, not '1e-400'"},
        {{"pack", in, out, "--converge", "1e-400"}, "--converge must be a number from 1e-300"},
        {{"pack", in, out, "--converge=1e400"}, "--converge must be a number from 1e-300"},
        {{"pack", in, out, "--until", "1e-999"}, "--until must be a number from 1e-300"},
        {{"pack", in, out, "--threshold", "2"},
         "--threshold must be a number from 0 to 1, not '2'"},
        {{"pack", in, out, "--runs", "99999999999999999999"},
         "--runs must be a whole number from 1"},
        {{"export", in, out, "--format", "eps", "--radius", "1e6"},
         "--radius must be a number from 1 to 100000, not '1e6'"},
        {{"export", in, out, "--format", "eps", "--offset", "1e40"},
         "--offset must be a number from 0 to 100000, not '1e40'"},
        {{"export", in, out, "--format", "pdf", "--radius", "4e6"}, "from 1 to 3900000, not '4e6'"},
        {{"export", in, out, "--format", "svg", "--radius", "1e400"}, "from 1 to 3900000"},
        {{"export", in, out, "--format", "txt", "--radius", "1e400"},
         "from 0 to 1.7976931348623157e+308, not '1e400'"},
        {{"export", in, out, "--format", "bmp", "--radius", "1e10"}, "from 1 to 2147483647"},
    };
    for (const char* point : {"1e7,0", "0,-1e400"}) {
        std::vector<std::string> args = {"style", in, out, "--from", point};
        args.insert(args.end(), gradation.begin(), gradation.end());
        rows.push_back({args, "--from must be a number from -1000000 to 1000000"});
    }
    for (const Row& row : rows) {
        CCliResult result = RunCliProcess(dir, row.args);
        EXPECT_EQ(result.exitCode, 2) << row.message << ": " << result.err;
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(Lines(result.err), 1) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists("1e-400"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("1e-400")));
}

// A file the system reports as empty is read for what it holds; bytes after a whole document
// are accepted and counted.
TEST(CliHostileInput, InfoReadsFilesToTheirEndAndCountsTrailingBytes) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "1", dir.File("h.tesl")}).exitCode, 0);
    WriteText(dir.File("t.tesl"), ReadText(dir.File("h.tesl")) + "12345");
    CCliResult proc = RunCliProcess(dir, {"info", "/proc/cpuinfo"});
    EXPECT_EQ(proc.exitCode, 1) << proc.out;
    EXPECT_EQ(Lines(proc.err), 1) << proc.err;
    CCliResult text = RunCliProcess(dir, {"info", dir.File("t.tesl")});
    EXPECT_NE(text.out.find("\ntrailing bytes: 5\n"), std::string::npos) << text.out;
    CCliResult json = RunCliProcess(dir, {"info", dir.File("t.tesl"), "--json"});
    EXPECT_NE(json.out.find(",\"trailingBytes\":5}"), std::string::npos) << json.out;
}

// What a killed save left (its process gone) goes when a document of that folder is opened.
TEST(CliHostileInput, OpeningADocumentRemovesWhatKilledSavesLeftBeside) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "1", dir.File("h.tesl")}).exitCode, 0);
    pid_t ended = fork();
    if (ended == 0) {
        _exit(0);
    }
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string stale =
        "big.tesl.0123456789abcdef." + std::to_string(ended) + "-42.tessel-tmp";
    WriteText(dir.File(stale), std::string(1000, 'x'));
    ASSERT_EQ(RunCliProcess(dir, {"info", dir.File("h.tesl")}).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File(stale)));
}

// A margin as large as the graph area, or a document whose area is below a pixel, never
// places the nodes at a drawing radius below one pixel: the saved positions keep the graph,
// and every export without --radius goes through.
TEST(CliHostileInput, AMarginAsLargeAsTheExtentNeverCollapsesTheGraph) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", dir.File("h.tesl")}).exitCode, 0);
    WriteText(dir.File("m.ini"), "[View]\r\nMargin=600\r\n");
    const std::string hex = ReadText(dir.File("h.tesl"));
    struct Row {
        const char* name;
        double extentX;
        double extentY;
        std::vector<std::string> options;
    };
    const Row rows[] = {
        {"margin.tesl", 500, 500, {"--profile", dir.File("m.ini")}},
        {"zero.tesl", 0, 0, {}},
        {"one.tesl", 1, 1, {}},
        {"strip.tesl", 2e9, 3, {}},
    };
    for (const Row& row : rows) {
        std::string bytes = hex;
        std::memcpy(bytes.data(), &row.extentX, 8);
        std::memcpy(bytes.data() + 8, &row.extentY, 8);
        WriteText(dir.File(row.name), bytes);
        std::vector<std::string> pack = {"pack", dir.File(row.name), dir.File("p.tesl"),
                                         "--converge"};
        pack.insert(pack.end(), row.options.begin(), row.options.end());
        CCliResult packed = RunCliProcess(dir, pack);
        ASSERT_EQ(packed.exitCode, 0) << row.name << ": " << packed.err;
        CTesselDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("p.tesl"), error)) << error;
        std::set<std::pair<double, double>> places;
        double farthest = 0;
        for (const CCPNode* node : doc.m_nodes.m_array) {
            places.emplace(node->x, node->y);
            farthest = std::max(farthest, node->Abs());
        }
        EXPECT_EQ(places.size(), 37u) << row.name;
        EXPECT_GE(farthest, 0.5) << row.name; // the outermost centres lie near the rim
        for (const char* format : {"eps", "svg", "pdf", "txt", "bmp", "emf", "png"}) {
            std::vector<std::string> exported = {"export", dir.File(row.name), dir.File("e.out"),
                                                 "--format", format};
            exported.insert(exported.end(), row.options.begin(), row.options.end());
            CCliResult result = RunCliProcess(dir, exported);
            EXPECT_EQ(result.exitCode, 0) << row.name << " " << format << ": " << result.err;
        }
    }
}
