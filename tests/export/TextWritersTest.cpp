// EPS and text export: the worked files byte for byte, CR LF, locale, failures.
#include "WriterTestSupport.h"
#include "document/StringTable.h"
#include "document/TesselDoc.h"
#include "export/Export.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The worked example: outer circle width 1, black on white; one circle at (0.5, 0), radius
// 0.25, red, without a line.
void MakeExample(CTesselDoc& doc) {
    doc.m_circles.m_outer.m_thickness = 1;
    doc.m_circles.m_outer.m_lineCol = 0;
    doc.m_circles.m_outer.m_innerCol = 0x00FFFFFF;
    auto* c = new CCPCircle;
    c->m_euclidCentre.Set(0.5, 0);
    c->m_euclidRadius = 0.25;
    c->m_innerCol = 0x000000FF;
    c->m_thickness = 0;
    doc.m_circles.Add(c); // the document's RemoveAll deletes it
}

std::string Crlf(const std::string& text) {
    std::string out;
    for (char ch : text) {
        out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    }
    return out;
}

const char* const kExampleEps =
    "%!PS-Adobe-3.0 EPSF-3.0\n"
    "%%BoundingBox: 0.000000 0.000000 412.000000 412.000000\n"
    "%%Creator: Tessel\n"
    "%%EndComments\n"
    "\n"
    "\n"
    "/FLCircle {setlinewidth newpath 0 360 arc setrgbcolor gsave fill grestore setrgbcolor "
    "stroke } def\n"
    "/FCircle {newpath 0 360 arc setrgbcolor fill} def\n"
    "gsave\n"
    "206.000000 206.000000 translate\n"
    "180 rotate\n"
    "0.000000 0.000000 0.000000 1.000000 1.000000 1.000000 -0.000000 0.000000 200.000000 1 "
    "FLCircle\n"
    "1.000000 0.000000 0.000000 -100.000000 0.000000 50.000000 FCircle\n"
    "showpage\n"
    "grestore\n";

} // namespace

TEST(EpsExport, TheWorkedExampleByteForByte) {
    TempDir dir;
    CTesselDoc doc;
    MakeExample(doc);
    ASSERT_EQ(ExportEps(doc, dir.File("a.eps"), 200, 0), ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("a.eps")), Crlf(kExampleEps));
}

TEST(EpsExport, ExtentFollowsTheOuterWidthTheRoundedScaleAndTheOffset) {
    TempDir dir;
    CTesselDoc doc;
    doc.m_circles.m_outer.m_thickness = 3;
    ASSERT_EQ(ExportEps(doc, dir.File("w.eps"), 200, 0), ExportStatus::Ok);
    std::string w = ReadText(dir.File("w.eps"));
    EXPECT_NE(w.find("%%BoundingBox: 0.000000 0.000000 416.000000 416.000000\r\n"),
              std::string::npos);
    EXPECT_NE(w.find("\r\n208.000000 208.000000 translate\r\n"), std::string::npos);
    // No packing yet: header, the outer circle's line, trailer.
    EXPECT_NE(w.find("rotate\r\n0.000000 0.000000 0.000000 1.000000 1.000000 1.000000 "
                     "-0.000000 0.000000 200.000000 3 FLCircle\r\nshowpage\r\ngrestore\r\n"),
              std::string::npos);

    doc.m_circles.m_outer.m_thickness = 1;
    ASSERT_EQ(ExportEps(doc, dir.File("o.eps"), 100.5, 72), ExportStatus::Ok);
    std::string o = ReadText(dir.File("o.eps"));
    // c = 101 + 1 + 5 = 107
    EXPECT_NE(o.find("%%BoundingBox: 72.000000 72.000000 286.000000 286.000000\r\n"),
              std::string::npos);
    EXPECT_NE(o.find("\r\n179.000000 179.000000 translate\r\n"), std::string::npos);
}

TEST(EpsExport, NumbersIgnoreAGermanLocale) {
    TempDir dir;
    CTesselDoc doc;
    MakeExample(doc);
    GermanLocale german;
    if (!german.Available()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (make test generates it)";
    }
    ASSERT_EQ(ExportEps(doc, dir.File("de.eps"), 200, 0), ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("de.eps")), Crlf(kExampleEps));
}

TEST(TextExport, LinesPerCircleOuterFirstWithCrLf) {
    TempDir dir;
    CTesselDoc doc;
    auto* c = new CCPCircle;
    c->m_euclidCentre.Set(0.5, 0.25);
    c->m_euclidRadius = 0.1;
    doc.m_circles.Add(c);
    ASSERT_EQ(ExportText(doc, dir.File("a.txt"), 100, "%X, %Y, %R"), ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("a.txt")),
              "0.000000, -0.000000, 100.000000\r\n50.000000, -25.000000, 10.000000\r\n");
    ASSERT_EQ(ExportText(doc, dir.File("e.txt"), 100, ""), ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("e.txt")), "\r\n\r\n");
    ASSERT_EQ(ExportText(doc, dir.File("z.txt"), 0, "%Y"), ExportStatus::Ok);
    EXPECT_EQ(ReadText(dir.File("z.txt")), "-0.000000\r\n-0.000000\r\n");
}

TEST(TextExport, HugeRadiusAndAGermanLocale) {
    TempDir dir;
    CTesselDoc doc;
    GermanLocale german;
    if (!german.Available()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (make test generates it)";
    }
    ASSERT_EQ(ExportText(doc, dir.File("h.txt"), 1e300, "%R;%X;%FIG"), ExportStatus::Ok);
    std::string h = ReadText(dir.File("h.txt"));
    EXPECT_EQ(h.size(), 301u + 7u + 1 + 8 + 1 + 8 + 2);
    EXPECT_EQ(h.substr(h.size() - 27), ".000000;0.000000;1.000000\r\n");
}

TEST(TextWriters, FailuresAreReportedAndLeaveNoFile) {
    TempDir dir;
    CTesselDoc doc;
    EXPECT_EQ(ExportEps(doc, dir.File("no/a.eps"), 100, 0), ExportStatus::CannotOpen);
    EXPECT_EQ(ExportText(doc, dir.File("no/a.txt"), 100, "%X"), ExportStatus::CannotOpen);
    EXPECT_EQ(ExportEps(doc, "/dev/full", 100, 0), ExportStatus::WriteFailed);
    EXPECT_EQ(ExportText(doc, "/dev/full", 100, "%X"), ExportStatus::WriteFailed);
    {
        FileSizeLimit limit(100);
        EXPECT_EQ(ExportEps(doc, dir.File("big.eps"), 100, 0), ExportStatus::WriteFailed);
        EXPECT_EQ(ExportText(doc, dir.File("big.txt"), 100, std::string(200, 'x')),
                  ExportStatus::WriteFailed);
    }
    EXPECT_TRUE(dir.Names().empty());
    std::string message = ExportErrorText(ExportStatus::CannotOpen, "/x/a.eps");
    EXPECT_NE(message.find("/x/a.eps"), std::string::npos);
    if (!LoadString(302, Language::English).empty() && GetLanguage() == Language::English) {
        EXPECT_EQ(message, "Cannot Open File[/x/a.eps]");
    }
}

TEST(ExportErrorText, EveryFailureHasItsOwnMessageOnOneLineInBothLanguages) {
    const Language saved = GetLanguage();
    for (Language language : {Language::English, Language::Japanese}) {
        SetLanguage(language);
        EXPECT_TRUE(ExportErrorText(ExportStatus::Ok, "a.bmp").empty());
        std::vector<std::string> messages;
        for (ExportStatus status : {ExportStatus::CannotOpen, ExportStatus::WriteFailed,
                                    ExportStatus::BitmapTooLarge, ExportStatus::MetafileTooLarge,
                                    ExportStatus::PictureTooLarge, ExportStatus::NotFinite}) {
            std::string message = ExportErrorText(status, "a\x1b\nb.bmp");
            EXPECT_FALSE(message.empty());
            EXPECT_EQ(message.find_first_of("\n\x1b"), std::string::npos) << message;
            EXPECT_EQ(std::count(messages.begin(), messages.end(), message), 0) << message;
            messages.push_back(message);
        }
        // A write failure names the file, then says what went wrong.
        std::string write = ExportErrorText(ExportStatus::WriteFailed, "a.bmp");
        EXPECT_EQ(write.rfind("a.bmp: ", 0), 0u) << write;
        EXPECT_GT(write.size(), 10u);
        EXPECT_NE(ExportErrorText(ExportStatus::CannotOpen, "a\nb.bmp").find("a\\x0ab.bmp"),
                  std::string::npos);
    }
    SetLanguage(saved);
}
