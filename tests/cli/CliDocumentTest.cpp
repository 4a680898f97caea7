// tessel-cli new, hex, random and info, run as a separate process the way scripts run it.
#include "CliRunner.h"
#include "document/TesselDoc.h"
#include "model/GraphInvariants.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::string Info(const CTempDir& dir, const std::string& file, bool json = true) {
    CCliResult result = RunCliProcess(dir, json ? std::vector<std::string>{"info", file, "--json"}
                                                : std::vector<std::string>{"info", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.out;
}

} // namespace

TEST(CliDocument, NewWritesTheStartingTriangle) {
    CTempDir dir;
    CCliResult made = RunCliProcess(dir, {"new", dir.File("a.tesl")});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_EQ(ReadText(dir.File("a.tesl")).size(), 223u);
    EXPECT_EQ(Info(dir, dir.File("a.tesl")),
              "{\"nodes\":3,\"edges\":3,\"innerNodes\":0,\"outerNodes\":0,"
              "\"notConnectedNodes\":3,\"interiorEdges\":0,\"extentX\":500,\"extentY\":500,"
              "\"outerCircle\":{\"innerColor\":16777215,\"lineColor\":0,\"thickness\":1},"
              "\"trailingBytes\":0}\n");
    EXPECT_EQ(Info(dir, dir.File("a.tesl"), false),
              "nodes: 3\nedges: 3\ninner nodes: 0\nouter nodes: 0\nnot connected nodes: 3\n"
              "interior edges: 0\nextent: 500 x 500\nouter circle: inner colour 0x00ffffff, "
              "line colour 0x00000000, thickness 1\ntrailing bytes: 0\n");
}

TEST(CliDocument, HexAndRandomWriteDisksThatOpenInTheEditor) {
    CTempDir dir;
    ASSERT_EQ(RunCliProcess(dir, {"hex", "3", dir.File("h.tesl")}).exitCode, 0);
    EXPECT_NE(Info(dir, dir.File("h.tesl"))
                  .find("\"nodes\":37,\"edges\":90,\"innerNodes\":19,"
                        "\"outerNodes\":18,\"notConnectedNodes\":0"),
              std::string::npos);
    ASSERT_EQ(RunCliProcess(dir, {"random", "200", dir.File("r1.tesl"), "--seed", "9"}).exitCode,
              0);
    ASSERT_EQ(RunCliProcess(dir, {"random", "--seed=9", "200", dir.File("r2.tesl")}).exitCode, 0);
    ASSERT_EQ(RunCliProcess(dir, {"random", "200", dir.File("r3.tesl")}).exitCode, 0);
    EXPECT_EQ(ReadText(dir.File("r1.tesl")), ReadText(dir.File("r2.tesl")));
    EXPECT_NE(ReadText(dir.File("r1.tesl")), ReadText(dir.File("r3.tesl")));
    EXPECT_NE(Info(dir, dir.File("r1.tesl")).find("\"notConnectedNodes\":0"), std::string::npos);

    for (const char* name : {"h.tesl", "r1.tesl"}) {
        CTesselDoc doc;
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(dir.File(name), error)) << error;
        EXPECT_EQ(FindInvariantBreak(doc.m_nodes, doc.m_edges), "") << name;
        EXPECT_EQ(doc.SaveToBytes().size(), ReadText(dir.File(name)).size());
    }
}

TEST(CliDocument, TheProfileIsReadButNeverWritten) {
    CTempDir dir;
    std::string profile = "[Circle]\r\nDefOutInnerCol=255\r\nDefOutThickness=3\r\n";
    WriteText(dir.File("p.ini"), profile);
    ASSERT_EQ(
        RunCliProcess(dir, {"new", "--profile", dir.File("p.ini"), dir.File("a.tesl")}).exitCode,
        0);
    EXPECT_NE(Info(dir, dir.File("a.tesl"))
                  .find("{\"innerColor\":255,\"lineColor\":0,"
                        "\"thickness\":3}"),
              std::string::npos);
    EXPECT_EQ(ReadText(dir.File("p.ini")), profile);
    CCliResult missing =
        RunCliProcess(dir, {"new", "--profile=" + dir.File("no.ini"), dir.File("b.tesl")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no.ini"), std::string::npos);
}

TEST(CliDocument, ExitCodesAndMessages) {
    CTempDir dir;
    struct Row {
        std::vector<std::string> args;
        int exitCode;
    };
    WriteText(dir.File("bad.tesl"), "not a document at all, just text");
    const Row rows[] = {
        {{"hex", "0", dir.File("x.tesl")}, 2},
        {{"hex", "578", dir.File("x.tesl")}, 2},
        {{"hex", "3x", dir.File("x.tesl")}, 2},
        {{"hex", "3"}, 2},
        {{"random", "100", dir.File("x.tesl"), "--seed"}, 2},
        {{"random", "100", dir.File("x.tesl"), "--seed", "-1"}, 2},
        {{"new", dir.File("x.tesl"), "--frobnicate"}, 2},
        {{"nosuchcommand"}, 2},
        {{"info"}, 2},
        {{"info", dir.File("missing.tesl")}, 1},
        {{"info", dir.File("bad.tesl")}, 1},
        {{"new", dir.File("no/such/folder/x.tesl")}, 1},
        {{"new", dir.Path()}, 1},
    };
    for (const Row& row : rows) {
        CCliResult result = RunCliProcess(dir, row.args);
        EXPECT_EQ(result.exitCode, row.exitCode) << row.args[0] << " " << result.err;
        // One line that says what is wrong.
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    for (const char* command : {"new", "hex", "random", "info"}) {
        CCliResult help = RunCliProcess(dir, {command, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_NE(help.out.find(std::string("usage: tessel-cli ") + command), std::string::npos);
    }
}
