// tessel-cli style, run as a separate process: chosen circles restyled, gradations equal to
// the editor's, and the refusals.
#include "CliRunner.h"
#include "document/TesselDoc.h"

#include <gtest/gtest.h>
#include <set>

namespace {

struct Fixture {
    CTempDir dir;
    std::string in = dir.File("h.tesl");
    std::string out = dir.File("s.tesl");
    Fixture() { EXPECT_EQ(RunCliProcess(dir, {"hex", "2", in}).exitCode, 0); }

    CCliResult Style(std::vector<std::string> extra) {
        std::vector<std::string> args{"style", in, out};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCliProcess(dir, args);
    }
    void Open(CTesselDoc& doc, const std::string& path) {
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(path, error)) << error;
    }
};

const CCPCircle& NodeCircle(const CTesselDoc& doc, int i) {
    return *doc.m_nodes.GetAt(i)->m_circle;
}

} // namespace

TEST(CliStyle, SetsTheStyleOfTheChosenCirclesOnly) {
    Fixture f;
    CTesselDoc original;
    f.Open(original, f.in);
    ASSERT_EQ(original.m_nodes.GetSize(), 19);
    CCliResult result = f.Style({"--nodes", "0,2-4,18", "--line-color", "#102030", "--inner-color",
                                 "#FF8000", "--line-width", "3"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    CTesselDoc styled;
    f.Open(styled, f.out);
    for (int i = 0; i < 19; ++i) {
        const CCPCircle& c = NodeCircle(styled, i);
        bool chosen = i == 0 || (i >= 2 && i <= 4) || i == 18;
        EXPECT_EQ(c.m_lineCol,
                  chosen ? MakeRgb(0x10, 0x20, 0x30) : NodeCircle(original, i).m_lineCol)
            << i;
        EXPECT_EQ(c.m_innerCol,
                  chosen ? MakeRgb(0xFF, 0x80, 0) : NodeCircle(original, i).m_innerCol)
            << i;
        EXPECT_EQ(c.m_thickness, chosen ? 3 : NodeCircle(original, i).m_thickness) << i;
        EXPECT_EQ(styled.m_nodes.GetAt(i)->x, original.m_nodes.GetAt(i)->x); // not packed
    }
    EXPECT_EQ(styled.m_circles.m_outer.m_innerCol, original.m_circles.m_outer.m_innerCol);

    ASSERT_EQ(f.Style({"--outer", "--inner-color", "#000080", "--line-width", "0"}).exitCode, 0);
    CTesselDoc outer;
    f.Open(outer, f.out);
    EXPECT_EQ(outer.m_circles.m_outer.m_innerCol, MakeRgb(0, 0, 0x80));
    EXPECT_EQ(outer.m_circles.m_outer.m_thickness, 0);
    EXPECT_EQ(NodeCircle(outer, 0).m_innerCol, NodeCircle(original, 0).m_innerCol);
}

// The colours are those the editor's gradation gives the same circles, packed the same way.
TEST(CliStyle, GradationsAreTheEditors) {
    Fixture f;
    for (const char* kind : {"linear", "circular"}) {
        CCliResult result =
            f.Style({"--gradation", kind, "--from", "-0.5,0.25", "--to", "0.75,-0.1", "--colors",
                     "#FF0000,#0000FF", "--inner", "--line", "--nodes", "1-17", "--runs", "3"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out.substr(0, 7), "runs 3,");
        CTesselDoc expected;
        f.Open(expected, f.in);
        for (int run = 0; run < 3; ++run) {
            ASSERT_TRUE(expected.RunPacking());
        }
        expected.m_circles.SelectAll(1, false);
        expected.m_nodes.GetAt(0)->m_circle->m_selected = 0; // --nodes 1-17
        expected.m_nodes.GetAt(18)->m_circle->m_selected = 0;
        CGradation g;
        g.startColor = 0x000000FF;
        g.start.Set(-0.5, 0.25);
        g.endColor = 0x00FF0000;
        g.end.Set(0.75, -0.1);
        g.applyLine = g.applyInner = 1;
        g.kind = std::string(kind) == "linear" ? GradLinear : GradCircular;
        expected.m_circles.ApplyGradation(g);
        CTesselDoc styled;
        f.Open(styled, f.out);
        std::set<COLORREF> colours;
        for (int i = 0; i < 19; ++i) {
            EXPECT_EQ(NodeCircle(styled, i).m_innerCol, NodeCircle(expected, i).m_innerCol) << i;
            EXPECT_EQ(NodeCircle(styled, i).m_lineCol, NodeCircle(expected, i).m_lineCol) << i;
            colours.insert(NodeCircle(styled, i).m_innerCol);
        }
        EXPECT_GT(colours.size(), 5u) << kind;                    // a gradation, not one colour
        EXPECT_EQ(NodeCircle(styled, 0).m_innerCol, 0x00FFFFFFu); // not chosen
    }
}

TEST(CliStyle, Refusals) {
    Fixture f;
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {{}, "nothing to set"},
             {{"--line-color", "red"}, "--line-color must be #RRGGBB"},
             {{"--line-width", "-1"}, "--line-width must be a whole number from 0 to 65535"},
             {{"--inner-color", "#000000", "--nodes", "19"}, "--nodes takes indices from 0 to 18"},
             {{"--inner-color", "#000000", "--nodes", "5-2"}, "not '5-2'"},
             {{"--inner-color", "#000000", "--nodes", "1,,2"}, "not ''"},
             {{"--inner-color", "#000000", "--runs", "3"},
              "--runs applies to a gradation and --colour-by radius only"},
             {{"--inner-color", "#000000", "--from", "0,0"}, "--from belongs to --gradation"},
             {{"--gradation", "linear", "--from", "0,0", "--to", "1,0"},
              "--gradation needs --from, --to and --colors"},
             {{"--gradation", "radial", "--from", "0,0", "--to", "1,0", "--colors",
               "#000000,#FFFFFF", "--line"},
              "--gradation must be linear or circular"},
             {{"--gradation", "linear", "--from", "0,0", "--to", "1,0", "--colors", "#000000",
               "--line"},
              "--colors must be two colours"},
             {{"--gradation", "linear", "--from", "0;0", "--to", "1,0", "--colors",
               "#000000,#FFFFFF", "--line"},
              "--from must be X,Y"},
             {{"--gradation", "linear", "--from", "0,x", "--to", "1,0", "--colors",
               "#000000,#FFFFFF", "--line"},
              "--from must be a number"},
             {{"--gradation", "linear", "--from", "1,0", "--to", "1,0", "--colors",
               "#000000,#FFFFFF", "--line"},
              "must be different points"},
             {{"--gradation", "linear", "--from", "0,0", "--to", "1,0", "--colors",
               "#000000,#FFFFFF"},
              "--gradation needs --line, --inner or both"},
         }) {
        CCliResult result = f.Style(c.options);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(f.out));
}
