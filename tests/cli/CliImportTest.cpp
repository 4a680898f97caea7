// tessel-cli import and the export formats of other programs: formats by extension or by
// option, notes, one-line failures with exit codes, and round trips through files.
#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

const char* kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0.5 0.5 0\nvt 0 0\n"
                      "f 1 2 5\nf 2 3 5\nf 3 4 5\nf 4 1 5\n";

} // namespace

TEST(CliImport, ReadsByExtensionOrOptionAndSaysWhatItLeftOut) {
    CTempDir dir;
    WriteText(dir.File("square.obj"), kSquare);
    WriteText(dir.File("square.mesh"), kSquare);
    WriteText(dir.File("cloud.xy"), "0 0\n1 0\n1 1\n0 1\n0.5 0.5\n0 0\n");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"import", dir.File("square.obj"), dir.File("a.tesl")},
         0,
         "note: statements not read: 'vt'\nimported 5 nodes, 8 edges\n",
         ""},
        {{"import", dir.File("square.mesh"), dir.File("a.tesl"), "--format", "obj"},
         0,
         "note: statements not read: 'vt'\nimported 5 nodes, 8 edges\n",
         ""},
        {{"import", dir.File("cloud.xy"), dir.File("a.tesl")},
         0,
         "note: 1 repeated points were left out\nimported 5 nodes, 8 edges\n",
         ""},
        {{"import", dir.File("square.mesh"), dir.File("a.tesl")},
         2,
         "",
         "tessel-cli import: the extension of IN names no format: give --format (try --help)\n"},
        {{"import", dir.File("square.obj"), dir.File("a.tesl"), "--format", "ply"},
         2,
         "",
         "tessel-cli import: --format must be p, off, obj or points, not 'ply' (try --help)\n"},
        {{"import", dir.File("square.obj"), dir.File("a.tesl"), "--format", "off"},
         1,
         "",
         "tessel-cli import: Cannot import \"" + dir.File("square.obj") +
             "\": line 1: the counts of vertices and faces must be whole numbers from 0\n"},
        {{"import", dir.File("none.p"), dir.File("a.tesl")},
         1,
         "",
         "tessel-cli import: Cannot import \"" + dir.File("none.p") +
             "\": the file does not exist.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        CCliResult result = RunCliProcess(dir, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
    }
}

TEST(CliImport, PackingFilesRoundTripThroughExport) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"random", "200", dir.File("a.tesl")}).exitCode, 0);
    ASSERT_EQ(RunCliProcess(dir, {"export", dir.File("a.tesl"), dir.File("a.p"), "--format", "p"})
                  .exitCode,
              0);
    const std::string packing = ReadText(dir.File("a.p"));
    EXPECT_EQ(packing.rfind("NODECOUNT:  ", 0), 0u);
    EXPECT_NE(packing.find("\nRADII: \n"), std::string::npos);
    EXPECT_NE(packing.find("\nCENTERS:\n"), std::string::npos);
    EXPECT_NE(packing.find("\nPACKNAME: a.p\n"), std::string::npos);
    CCliResult imported = RunCliProcess(dir, {"import", dir.File("a.p"), dir.File("b.tesl")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    // Written again from the imported document (whose file keeps no radii, so it is packed
    // anew), the flowers are the same.
    ASSERT_EQ(RunCliProcess(dir, {"export", dir.File("b.tesl"), dir.File("b.p"), "--format", "p"})
                  .exitCode,
              0);
    const std::string again = ReadText(dir.File("b.p"));
    auto flowers = [](const std::string& text) {
        const std::size_t from = text.find("FLOWERS:");
        return text.substr(from, text.find("RADII:") - from);
    };
    EXPECT_EQ(flowers(again), flowers(packing));
    CCliResult radius = RunCliProcess(
        dir, {"export", dir.File("a.tesl"), dir.File("c.p"), "--format", "p", "--radius", "9"});
    EXPECT_EQ(radius.exitCode, 2);
    EXPECT_EQ(radius.err,
              "tessel-cli export: --radius does not apply to this format (try --help)\n");
}

TEST(CliImport, TikzPicturesAndDocuments) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "2", dir.File("a.tesl")}).exitCode, 0);
    ASSERT_EQ(RunCliProcess(dir, {"export", dir.File("a.tesl"), dir.File("a.tex"), "--format",
                                  "tikz", "--radius", "100"})
                  .exitCode,
              0);
    const std::string picture = ReadText(dir.File("a.tex"));
    EXPECT_EQ(picture.find("\\documentclass"), std::string::npos);
    EXPECT_NE(picture.find("\\begin{tikzpicture}"), std::string::npos);
    ASSERT_EQ(RunCliProcess(dir, {"export", dir.File("a.tesl"), dir.File("b.tex"), "--format",
                                  "tikz", "--document"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadText(dir.File("b.tex")).rfind("\\documentclass{article}", 0), 0u);
    CCliResult large = RunCliProcess(dir, {"export", dir.File("a.tesl"), dir.File("c.tex"),
                                           "--format", "tikz", "--radius", "8001"});
    EXPECT_EQ(large.exitCode, 2);
    CCliResult eps = RunCliProcess(
        dir, {"export", dir.File("a.tesl"), dir.File("c.eps"), "--format", "eps", "--document"});
    EXPECT_EQ(eps.exitCode, 2);
    EXPECT_EQ(eps.err,
              "tessel-cli export: --document does not apply to this format (try --help)\n");
}
