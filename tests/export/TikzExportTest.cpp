// TikZ export: one command per circle in the picture square of EPS, colours defined once;
// compiled with pdflatex and rendered, it agrees with the antialiased bitmap.
#include "PngReader.h"
#include "WriterTestSupport.h"
#include "export/Export.h"
#include "support/CircleList.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <regex>

namespace {

int Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return int(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

// The styled sample and a fourth circle in the colours of the third: colours are defined once.
void Sample(CircleList& list) {
    AddStyledCircles(list);
    list.Add(0.5, 0.3, 0.15, 1, 0x0000FF00, 0x00FFFFFF);
}

bool Have(const char* program) {
    return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

TEST(TikzExport, OneCommandPerCircleColoursOnceInTheEpsSquare) {
    CircleList list;
    Sample(list);
    std::string text;
    ASSERT_EQ(RecordTikz(list.array, 200, false, text), ExportStatus::Ok);
    // Six colours in all, each defined once and used by name.
    EXPECT_EQ(Count(text, "\\\\definecolor\\{tc\\d+\\}\\{RGB\\}"), 6) << text;
    EXPECT_EQ(Count(text, "\\\\definecolor\\{tc\\d+\\}\\{RGB\\}\\{255,0,0\\}"), 1) << text;
    EXPECT_EQ(Count(text, "circle\\["), 5);
    EXPECT_EQ(Count(text, "\\\\filldraw\\["), 4);
    EXPECT_EQ(Count(text, "\\\\fill\\["), 1);
    // The outer circle first, centred in the square of side 2 * (200 + 2 + 5) points; the first
    // listed circle at (s x, -s y) from the centre with y up, its line 3 points wide.
    EXPECT_NE(text.find("\\useasboundingbox (0,0) rectangle (414,414);"), std::string::npos);
    const std::size_t outer = text.find("(207,207) circle[radius=200]");
    const std::size_t first =
        text.find("line width=3bp] (231.69135782469135,267) circle[radius=40]");
    EXPECT_NE(outer, std::string::npos) << text;
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_LT(outer, first);
    EXPECT_EQ(text.find("\\documentclass"), std::string::npos);
    ASSERT_EQ(RecordTikz(list.array, 200, true, text), ExportStatus::Ok);
    EXPECT_EQ(text.rfind("\\documentclass{article}\n\\usepackage{tikz}\n", 0), 0u);
    EXPECT_NE(text.find("\\paperwidth=414bp \\paperheight=414bp"), std::string::npos);
}

TEST(TikzExport, RefusesWhatTexCannotHold) {
    CircleList list;
    Sample(list);
    std::string text;
    EXPECT_EQ(RecordTikz(list.array, kTikzMaxRadius, false, text), ExportStatus::Ok);
    EXPECT_EQ(RecordTikz(list.array, kTikzMaxRadius + 1, false, text),
              ExportStatus::PictureTooLarge);
    list.array.m_outer.m_thickness = 200; // the side would pass TeX's largest length
    EXPECT_EQ(RecordTikz(list.array, kTikzMaxRadius, false, text), ExportStatus::PictureTooLarge);
    list.array.m_outer.m_thickness = 1;
    list.owned.back()->m_euclidRadius = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(RecordTikz(list.array, 100, false, text), ExportStatus::NotFinite);
    EXPECT_TRUE(text.empty());
}

// The mean difference of two pictures' colour channels, 0 to 255.
static double MeanDifference(const PngPicture& a, const PngPicture& b) {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < a.rgba.size(); i += 4) {
        for (int c = 0; c < 3; ++c) {
            total += std::abs(int(a.rgba[i + c]) - int(b.rgba[i + c]));
        }
    }
    return double(total) / (3.0 * double(a.rgba.size() / 4));
}

// The complete document through pdflatex and its page rendered at 72 dpi (a point a pixel),
// beside the PDF export rendered the same way and the antialiased PNG at the same scale: the
// TikZ picture is the PDF export's, and agrees with the bitmap as closely as that does (the
// two differ in the shading of the outlines only).
TEST(TikzExport, CompiledItAgreesWithThePdfExportAndTheAntialiasedBitmap) {
    if (!Have("pdflatex") || !Have("pdftoppm")) {
        GTEST_SKIP() << "pdflatex or pdftoppm is missing (texlive-latex-base, texlive-pictures, "
                        "poppler-utils)";
    }
    CircleList list;
    Sample(list);
    TempDir dir;
    const double scale = 150;
    ASSERT_EQ(ExportTikz(list.array, scale, true, dir.File("p.tex")), ExportStatus::Ok);
    ASSERT_EQ(ExportPdf(list.array, scale, dir.File("cairo.pdf")), ExportStatus::Ok);
    PngSetup png;
    png.radius = scale;
    png.antialias = true;
    ASSERT_EQ(ExportPng(list.array, png, dir.File("bitmap.png")), ExportStatus::Ok);
    const std::string command = "cd '" + dir.Path() +
                                "' && pdflatex -interaction=nonstopmode -halt-on-error p.tex "
                                ">latex.log 2>&1 && pdftoppm -r 72 -png -singlefile p.pdf tikz "
                                "&& pdftoppm -r 72 -png -singlefile cairo.pdf cairo";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(dir.File("latex.log"));
    PngPicture tikz, cairo, bitmap;
    ASSERT_TRUE(DecodePng(ReadText(dir.File("tikz.png")), tikz));
    ASSERT_TRUE(DecodePng(ReadText(dir.File("cairo.png")), cairo));
    ASSERT_TRUE(DecodePng(ReadText(dir.File("bitmap.png")), bitmap));
    ASSERT_EQ(tikz.width, bitmap.width);
    ASSERT_EQ(tikz.height, bitmap.height);
    ASSERT_EQ(cairo.width, bitmap.width);
    EXPECT_LT(MeanDifference(tikz, cairo), 0.5);
    EXPECT_LT(MeanDifference(tikz, bitmap), MeanDifference(cairo, bitmap) + 0.5);
}
