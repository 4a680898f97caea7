// SVG and PDF export: exact circles in the picture square, order, styles, titles, the same
// numbers under any locale, and refusals.
#include "WriterTestSupport.h"
#include "circles/DibBuffer.h"
#include "export/Export.h"
#include "export/SvgSurface.h"
#include "support/CircleList.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <regex>

namespace {

// The values of one attribute over every element of that name, in file order.
std::vector<std::string> Attributes(const std::string& svg, const std::string& element,
                                    const std::string& name) {
    std::vector<std::string> values;
    std::regex pattern("<" + element + "[^>]* " + name + "=\"([^\"]*)\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), pattern), end; it != end; ++it) {
        values.push_back((*it)[1]);
    }
    return values;
}

} // namespace

TEST(SvgExport, ExactCirclesInThePictureSquareOuterFirst) {
    CircleList list;
    AddStyledCircles(list);
    std::string svg;
    ASSERT_EQ(RecordSvg(list.array, 100.25, "", svg), ExportStatus::Ok);
    // c = 100 + 2 + 5: the square of the other exports, in pixels.
    EXPECT_NE(svg.find("width=\"214px\" height=\"214px\" viewBox=\"0 0 214 214\""),
              std::string::npos);
    EXPECT_EQ(svg.find("<title>"), std::string::npos);
    std::vector<std::string> cx = Attributes(svg, "circle", "cx");
    std::vector<std::string> cy = Attributes(svg, "circle", "cy");
    std::vector<std::string> r = Attributes(svg, "circle", "r");
    ASSERT_EQ(cx.size(), 4u);
    for (int i = -1; i < list.array.GetCount(); ++i) {
        const CCPCircle& c = *list.array.GetAt(i);
        // Not rounded to pixels: every number reads back as the scaled double itself, about
        // the middle of pixel (107, 107), where the bitmap exports put the unit disk's centre.
        EXPECT_EQ(std::stod(cx[i + 1]), 107.5 + 100.25 * c.m_euclidCentre.x) << i;
        EXPECT_EQ(std::stod(cy[i + 1]), 107.5 + 100.25 * c.m_euclidCentre.y) << i;
        EXPECT_EQ(std::stod(r[i + 1]), 100.25 * c.m_euclidRadius) << i;
    }
    EXPECT_EQ(Attributes(svg, "circle", "fill"),
              (std::vector<std::string>{"#ffffff", "#ff0000", "#0000ff", "#ffffff"}));
    EXPECT_EQ(Attributes(svg, "circle", "stroke"),
              (std::vector<std::string>{"#000000", "#996633", "none", "#00ff00"}));
    EXPECT_EQ(Attributes(svg, "circle", "stroke-width"), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(SvgExport, TitlesAreEscapedAndNumbersIgnoreTheLocale) {
    TempDir dir;
    CircleList list;
    AddStyledCircles(list);
    std::string path = dir.File("a&b<c>\"d\x01\xff.svg");
    ASSERT_EQ(ExportSvg(list.array, 50, path), ExportStatus::Ok);
    std::string svg = ReadText(path);
    EXPECT_NE(svg.find("<title>a&amp;b&lt;c&gt;&quot;d\xEF\xBF\xBD\xEF\xBF\xBD.svg</title>"),
              std::string::npos);
    GermanLocale german;
    if (!german.Available()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    std::string again;
    ASSERT_EQ(RecordSvg(list.array, 50, "a&b<c>\"d\x01\xff.svg", again), ExportStatus::Ok);
    EXPECT_EQ(again, svg);
    EXPECT_NE(svg.find("r=\"16.666666666666664\""), std::string::npos);
}

// A file has no pixels to combine with: the selection's XOR hatch and the invisible no-op
// pixels leave no trace.
TEST(SvgExport, CombiningDrawingLeavesNothing) {
    CSvgSurface surface;
    surface.SetRasterOp(RasterOp::XorPen);
    surface.SelectBrush(SurfaceBrush::CrossHatch(0x7FBFFF));
    surface.Circle({1, 2, 3, {-2, -1, 5, 6}});
    surface.SetRasterOp(RasterOp::NoOp);
    surface.SetPixel({0, 0}, 0);
    EXPECT_EQ(surface.Elements(), "");
    surface.SetRasterOp(RasterOp::CopyPen);
    surface.SetPixel({4, 5}, 0x00FF0000);
    surface.FillRect({0, 0, 2, 3}, 0x000000FF);
    EXPECT_EQ(surface.Elements(),
              "<rect x=\"4\" y=\"5\" width=\"1\" height=\"1\" fill=\"#0000ff\"/>\n"
              "<rect x=\"0\" y=\"0\" width=\"2\" height=\"3\" fill=\"#ff0000\"/>\n");
}

TEST(PdfExport, OnePageThePictureSizeTheSameBytesEachTime) {
    TempDir dir;
    CircleList list;
    AddStyledCircles(list);
    ASSERT_EQ(ExportPdf(list.array, 200, dir.File("a.pdf")), ExportStatus::Ok);
    ASSERT_EQ(ExportPdf(list.array, 200, dir.File("b/../a2.pdf")), ExportStatus::CannotOpen);
    std::filesystem::create_directory(dir.File("b"));
    ASSERT_EQ(ExportPdf(list.array, 200, dir.File("b/a.pdf")), ExportStatus::Ok);
    std::string pdf = ReadText(dir.File("a.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/MediaBox [ 0 0 414 414 ]"), std::string::npos); // 2 * (200 + 2 + 5)
    EXPECT_NE(pdf.find("/Count 1\n"), std::string::npos);                // one page
    EXPECT_EQ(pdf.find("/CreationDate"), std::string::npos);
    EXPECT_NE(pdf.find("/Title (a.pdf)"), std::string::npos);
    EXPECT_EQ(pdf, ReadText(dir.File("b/a.pdf"))); // no date, no other varying field
}

TEST(VectorExports, RefuseWhatTheyCannotDraw) {
    TempDir dir;
    CircleList list;
    AddStyledCircles(list);
    std::string svg;
    EXPECT_EQ(RecordSvg(list.array, 5e9, "", svg), ExportStatus::PictureTooLarge);
    // Cairo's fixed-point coordinates end near 2^23.
    EXPECT_EQ(ExportPdf(list.array, 5e6, dir.File("big.pdf")), ExportStatus::PictureTooLarge);
    list.owned[1]->m_euclidRadius = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(RecordSvg(list.array, 100, "", svg), ExportStatus::NotFinite);
    EXPECT_EQ(ExportPdf(list.array, 100, dir.File("nan.pdf")), ExportStatus::NotFinite);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}
