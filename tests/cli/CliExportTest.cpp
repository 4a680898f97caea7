// tessel-cli export, run as a separate process: each format against the editor's writers,
// the options and defaults, and the refusals.
#include "CliRunner.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "export/Export.h"

#include <gtest/gtest.h>

namespace {

// A packed hex disk of three rings written by the tool itself.
struct Fixture {
    CTempDir dir;
    std::string in = dir.File("h.tesl");
    Fixture() { EXPECT_EQ(RunCliProcess(dir, {"hex", "3", in}).exitCode, 0); }

    CCliResult Export(const std::string& out, std::vector<std::string> extra) {
        std::vector<std::string> args{"export", in, dir.File(out)};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCliProcess(dir, args);
    }
    // The same document opened and packed in this process.
    void OpenPacked(CTesselDoc& doc, int runs) {
        std::string error;
        ASSERT_TRUE(doc.OnOpenDocument(in, error)) << error;
        for (int i = 0; i < runs; ++i) {
            ASSERT_TRUE(doc.RunPacking());
        }
    }
};

std::uint32_t Le32(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

} // namespace

TEST(CliExport, EachFormatWritesWhatTheEditorsWriterWrites) {
    Fixture f;
    CTesselDoc doc;
    f.OpenPacked(doc, 5);
    double radius = doc.GetPackingScale(); // 500 - 10 for a graph area of 500 x 500
    ASSERT_EQ(radius, 490.0);
    ASSERT_EQ(ExportEps(doc, f.dir.File("e.eps"), radius, 0), ExportStatus::Ok);
    ASSERT_EQ(ExportText(doc, f.dir.File("e.txt"), radius, "%X, %Y, %R"), ExportStatus::Ok);
    ASSERT_EQ(ExportBitmap(doc.m_circles, {radius, false, 0x00FFFFFF}, f.dir.File("e.bmp")),
              ExportStatus::Ok);
    ASSERT_EQ(ExportBitmap(doc.m_circles, {radius, true, 0x00FFFFFF}, f.dir.File("ea.bmp")),
              ExportStatus::Ok);
    ASSERT_EQ(ExportEmf(doc.m_circles, radius, f.dir.File("e.emf")), ExportStatus::Ok);
    ASSERT_EQ(ExportSvg(doc.m_circles, radius, f.dir.File("e.svg")), ExportStatus::Ok);
    ASSERT_EQ(ExportPdf(doc.m_circles, radius, f.dir.File("e.pdf")), ExportStatus::Ok);
    PngSetup png;
    static_cast<BitmapSetup&>(png) = {radius, true, 0x00FFFFFF};
    png.transparent = true;
    png.dpi = 150;
    ASSERT_EQ(ExportPng(doc.m_circles, png, f.dir.File("e.png")), ExportStatus::Ok);
    struct Case {
        const char* out;
        const char* expected;
        std::vector<std::string> options;
    };
    for (const Case& c :
         std::vector<Case>{{"c.eps", "e.eps", {"--format", "eps"}},
                           {"c.txt", "e.txt", {"--format", "txt"}},
                           {"c.bmp", "e.bmp", {"--format", "bmp"}},
                           {"ca.bmp", "ea.bmp", {"--format", "bmp", "--antialias"}},
                           {"e.emf", "e.emf", {"--format", "emf"}},
                           {"e.svg", "e.svg", {"--format", "svg"}},
                           {"e.pdf", "e.pdf", {"--format", "pdf"}},
                           {"c.png",
                            "e.png",
                            {"--format", "png", "--antialias", "--transparent", "--dpi", "150"}}}) {
        std::vector<std::string> options = c.options;
        options.insert(options.end(), {"--runs", "5"});
        std::filesystem::create_directory(f.dir.File("cli"));
        std::string out = std::string("cli/") + c.out; // the same name: the EMF title
        CCliResult result = f.Export(out, options);
        ASSERT_EQ(result.exitCode, 0) << c.out << ": " << result.err;
        EXPECT_NE(result.out.find("runs 5,"), std::string::npos);
        std::string written = ReadText(f.dir.File(out));
        EXPECT_GT(written.size(), 100u) << c.out;
        EXPECT_TRUE(written == ReadText(f.dir.File(c.expected))) << c.out;
    }
    EXPECT_EQ(Le32(ReadText(f.dir.File("cli/c.bmp")), 18), 992u); // 2 * (490 + 1 + 5)
}

TEST(CliExport, RunsOptionsAndDefaults) {
    Fixture f;
    // No packing: the outer circle alone.
    ASSERT_EQ(
        f.Export("o.txt", {"--format", "txt", "--runs", "0", "--text-format", "%R|%T"}).exitCode,
        0);
    EXPECT_EQ(ReadText(f.dir.File("o.txt")), "490.000000|1\r\n");
    // Until converged: 37 circles, one line each after the outer circle's.
    CCliResult until = f.Export("u.txt", {"--format", "txt", "--until", "1e-3", "--radius", "100"});
    ASSERT_EQ(until.exitCode, 0) << until.err;
    std::string lines = ReadText(f.dir.File("u.txt"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 38);
    EXPECT_EQ(lines.substr(0, 33), "0.000000, -0.000000, 100.000000\r\n");

    ASSERT_EQ(f.Export("r.bmp", {"--format", "bmp", "--radius", "100", "--background", "#FF8000",
                                 "--runs", "2"})
                  .exitCode,
              0);
    std::string bmp = ReadText(f.dir.File("r.bmp"));
    ASSERT_EQ(bmp.size(), 134886u);
    EXPECT_EQ(std::uint8_t(bmp[54]), 0x00); // bottom-left pixel: blue, green, red of #FF8000
    EXPECT_EQ(std::uint8_t(bmp[55]), 0x80);
    EXPECT_EQ(std::uint8_t(bmp[56]), 0xFF);

    ASSERT_EQ(
        f.Export("o.eps", {"--format", "eps", "--runs", "0", "--offset", "72", "--radius", "100.5"})
            .exitCode,
        0);
    EXPECT_NE(ReadText(f.dir.File("o.eps"))
                  .find("%%BoundingBox: 72.000000 72.000000 286.000000 286.000000\r\n"),
              std::string::npos);
}

TEST(CliExport, TheProfileGivesTheTextFormatAndTheBackground) {
    Fixture f;
    WriteText(f.dir.File("p.ini"), "[View]\nBGColor=255\n[TextExport]\nFormat=%T;%IR\n");
    ASSERT_EQ(
        f.Export("p.txt", {"--format", "txt", "--runs", "0", "--profile", f.dir.File("p.ini")})
            .exitCode,
        0);
    EXPECT_EQ(ReadText(f.dir.File("p.txt")), "1;255\r\n");
    ASSERT_EQ(f.Export("p.bmp", {"--format", "bmp", "--runs", "0", "--radius", "10", "--profile",
                                 f.dir.File("p.ini")})
                  .exitCode,
              0);
    std::string bmp = ReadText(f.dir.File("p.bmp"));
    EXPECT_EQ(std::uint8_t(bmp[56]), 0xFF); // red margin
    EXPECT_EQ(std::uint8_t(bmp[54]), 0x00);
}

// Without --radius the picture has the drawing radius of a window the size of the graph
// area, which the profile's margin makes smaller.
TEST(CliExport, TheProfilesMarginSetsTheDefaultRadius) {
    Fixture f;
    WriteText(f.dir.File("m.ini"), "[View]\nMargin=100\n");
    for (const bool withProfile : {false, true}) {
        std::vector<std::string> options = {"--format", "txt",           "--runs",
                                            "0",        "--text-format", "%R"};
        if (withProfile) {
            options.insert(options.end(), {"--profile", f.dir.File("m.ini")});
        }
        ASSERT_EQ(f.Export("m.txt", options).exitCode, 0);
        EXPECT_EQ(ReadText(f.dir.File("m.txt")), withProfile ? "400.000000\r\n" : "490.000000\r\n");
    }
}

TEST(CliExport, RefusalsAndFailures) {
    Fixture f;
    struct Case {
        std::vector<std::string> options;
        int code;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {{}, 2, "--format is required"},
             {{"--format", "gif"}, 2, "--format must be eps, txt, bmp, emf, svg, pdf, png, p or tikz"},
             {{"--format", "txt", "--offset", "3"}, 2, "--offset does not apply"},
             {{"--format", "eps", "--antialias"}, 2, "--antialias does not apply"},
             {{"--format", "bmp", "--transparent"}, 2, "--transparent does not apply"},
             {{"--format", "svg", "--dpi", "72"}, 2, "--dpi does not apply"},
             {{"--format", "png", "--dpi", "0"}, 2, "--dpi must be a whole number from 1 to"},
             {{"--format", "png", "--transparent", "--background", "#000000"},
              2,
              "--background and --transparent exclude each other"},
             {{"--format", "svg", "--radius", "0.5"}, 2, "--radius must be a number from 1 to"},
             {{"--format", "png", "--radius", "2.5"}, 2, "a whole number from 1 to"},
             {{"--format", "bmp", "--background", "red"}, 2, "--background must be #RRGGBB"},
             {{"--format", "bmp", "--radius", "1.5"}, 2, "a whole number from 1 to"},
             {{"--format", "eps", "--radius", "0.5"}, 2, "--radius must be a number from 1 to"},
             {{"--format", "txt", "--radius", "-1"}, 2, "--radius must be a number from 0 to"},
             {{"--format", "txt", "--runs", "1", "--until", "1"}, 2, "exclude each other"},
             {{"--format", "emf", "--runs", "0", "--radius", "1000000000"},
              1,
              "export: " + LoadString(301) + "\n"},
             {{"--format", "bmp", "--runs", "0", "--radius", "40000"},
              1,
              "export: " + LoadString(304) + "\n"},
         }) {
        std::vector<std::string> options = c.options;
        CCliResult result = f.Export("x.out", options);
        EXPECT_EQ(result.exitCode, c.code) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("x.out")));
    CCliResult folder = RunCliProcess(
        f.dir, {"export", f.in, f.dir.File("no/such.txt"), "--format", "txt", "--runs", "0"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find(f.dir.File("no/such.txt")), std::string::npos);
    if (LoadString(302, Language::English) == "Cannot Open File[%s]") {
        EXPECT_NE(folder.err.find("Cannot Open File[" + f.dir.File("no/such.txt") + "]"),
                  std::string::npos);
    }
    CCliResult full =
        RunCliProcess(f.dir, {"export", f.in, "/dev/full", "--format", "eps", "--runs", "0"});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("/dev/full"), std::string::npos);
}

// "-" sends the file to the standard output, byte for byte what a file gets, and the
// packing's summary to the standard error so that it cannot land inside the file.
TEST(CliExport, ADashWritesTheFileToTheStandardOutput) {
    Fixture f;
    for (const char* format : {"eps", "png", "pdf"}) {
        std::string file = std::string("f.") + format;
        ASSERT_EQ(f.Export(file, {"--format", format, "--runs", "2"}).exitCode, 0);
        CCliResult piped =
            RunCliProcess(f.dir, {"export", f.in, "-", "--format", format, "--runs", "2"});
        ASSERT_EQ(piped.exitCode, 0) << piped.err;
        std::string expected = ReadText(f.dir.File(file));
        if (std::string(format) == "pdf") { // its title is the file's name, which "-" lacks
            std::size_t at = expected.find("   /Title (f.pdf)\n");
            ASSERT_NE(at, std::string::npos);
            EXPECT_EQ(piped.out.size(), expected.size() - 18);
        } else {
            EXPECT_TRUE(piped.out == expected) << format;
        }
        EXPECT_EQ(piped.err.substr(0, 7), "runs 2,") << piped.err;
    }
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("-")));
    CCliResult closed =
        RunCliProcess(f.dir, {"export", f.in, "-", "--format", "svg"}, "", "/dev/full");
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_NE(closed.err.find("export:"), std::string::npos) << closed.err;
}
