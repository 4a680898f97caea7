// PNG export: the bitmap export's pixels, the stored resolution, and transparency in which
// coverage becomes alpha.
#include "PngReader.h"
#include "WriterTestSupport.h"
#include "circles/Antialias.h"
#include "export/Export.h"
#include "support/CircleList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// The colour of picture pixel (x, y), y = 0 at the top, of a 24-bit bottom-up BMP file.
COLORREF BmpPixel(const std::string& file, int x, int y) {
    auto le32 = [&](std::size_t at) {
        return std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8 |
               std::uint8_t(file[at + 2]) << 16 | std::uint32_t(std::uint8_t(file[at + 3])) << 24;
    };
    int width = int(le32(18)), height = int(le32(22));
    std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::size_t at = 54 + std::size_t(height - 1 - y) * stride + 3 * std::size_t(x);
    return MakeRgb(std::uint8_t(file[at + 2]), std::uint8_t(file[at + 1]), std::uint8_t(file[at]));
}

// Two touching circles in the outer circle, coloured, with lines of different widths.
void Sample(CircleList& list) {
    list.array.m_outer.m_thickness = 2;
    list.array.m_outer.m_lineCol = 0x00202020;
    list.array.m_outer.m_innerCol = 0x0000FFFF;
    list.Add(-0.4, 0.1, 0.4, 3, 0x00000000, 0x00FF8000);
    list.Add(0.4, 0.1, 0.4, 0, 0x00000000, 0x004080FF);
    list.Add(0.0, -0.6, 0.2, 1, 0x000000FF, 0x00FFFFFF);
}

struct Exported {
    std::string bmp;
    PngPicture png;
    std::string pngFile;
};

Exported Export(const CircleList& list, PngSetup setup) {
    TempDir dir;
    Exported e;
    EXPECT_EQ(ExportBitmap(list.array, setup, dir.File("a.bmp")), ExportStatus::Ok);
    EXPECT_EQ(ExportPng(list.array, setup, dir.File("a.png")), ExportStatus::Ok);
    e.bmp = ReadText(dir.File("a.bmp"));
    e.pngFile = ReadText(dir.File("a.png"));
    EXPECT_TRUE(DecodePng(e.pngFile, e.png));
    return e;
}

} // namespace

TEST(PngExport, OpaqueFilesHoldTheBitmapsPixelsAndTheResolution) {
    CircleList list;
    Sample(list);
    for (bool antialias : {false, true}) {
        PngSetup setup;
        setup.radius = 60;
        setup.antialias = antialias;
        setup.background = 0x00808000;
        setup.dpi = antialias ? 300 : 96;
        Exported e = Export(list, setup);
        ASSERT_EQ(e.png.width, 134); // 2 * (60 + 2 + 5), as the bitmap
        ASSERT_EQ(e.png.height, 134);
        EXPECT_FALSE(e.png.hasAlpha);
        int differing = 0;
        for (int y = 0; y < 134; ++y) {
            for (int x = 0; x < 134; ++x) {
                differing += e.png.Color(x, y) != BmpPixel(e.bmp, x, y);
            }
        }
        EXPECT_EQ(differing, 0) << "antialias " << antialias;
        EXPECT_EQ(PngPixelsPerMetre(e.pngFile), antialias ? 11811u : 3780u);
    }
}

TEST(PngExport, TransparencyLeavesTheMarginAndTheGapsClear) {
    CircleList list;
    Sample(list);
    for (bool antialias : {false, true}) {
        PngSetup setup;
        setup.radius = 60;
        setup.antialias = antialias;
        setup.transparent = true;
        Exported e = Export(list, setup);
        ASSERT_TRUE(e.png.hasAlpha);
        EXPECT_EQ(e.png.Alpha(0, 0), 0);   // the margin
        EXPECT_EQ(e.png.Alpha(67, 97), 0); // a gap inside the outer circle, below the pair
        EXPECT_EQ(e.png.Alpha(43, 73), 255);
        EXPECT_EQ(e.png.Color(43, 73), 0x00FF8000u); // inside the first circle
        EXPECT_EQ(e.png.Alpha(67, 7), 255);          // the outer circle's line at the top
        int partial = 0, opaqueDiffering = 0;
        for (int y = 0; y < e.png.height; ++y) {
            for (int x = 0; x < e.png.width; ++x) {
                int alpha = e.png.Alpha(x, y);
                partial += alpha > 0 && alpha < 255;
                // Where the outer circle's fill showed in the bitmap nothing is opaque now;
                // elsewhere opaque pixels keep the bitmap's colour.
                opaqueDiffering += alpha == 255 && e.png.Color(x, y) != BmpPixel(e.bmp, x, y);
            }
        }
        EXPECT_EQ(partial > 0, antialias);
        EXPECT_EQ(opaqueDiffering, 0) << "antialias " << antialias;
    }
}

// A black line over nothing: its edge pixels are black and partly covered, not a blend of
// black with the colour that lies under the clear pixels.
TEST(PngExport, CoverageBecomesAlphaNotAMixWithTheBackground) {
    CircleList list;
    list.array.m_outer.m_thickness = 1;
    list.array.m_outer.m_lineCol = 0;
    PngSetup setup;
    setup.radius = 100.5;
    setup.antialias = true;
    setup.transparent = true;
    setup.background = 0x00FFFFFF;
    Exported e = Export(list, setup);
    int edge = 0;
    for (int y = 0; y < e.png.height; ++y) {
        for (int x = 0; x < e.png.width; ++x) {
            if (e.png.Alpha(x, y) > 0) {
                ++edge;
                EXPECT_EQ(e.png.Color(x, y), 0u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(edge, 600); // the whole ring, about 2 pi 100 pixels and their neighbours
    EXPECT_EQ(e.png.Alpha(106, 106), 0);
}

// Over opaque pixels the layered blending is the bitmap's EdgeColor exactly; over clear ones
// the circle's own colours remain and the coverage is what is left.
TEST(PngExport, EdgeOverAgreesWithEdgeColorOnOpaquePixels) {
    const AaCircle circles[] = {{0, 0, 10.3, 2, 0x00102030, 0x00F0E0D0},
                                {0, 0, 4.2, 0, 0x00000000, 0x0000FF00},
                                {0, 0, 0.3, 5, 0x000000FF, 0x00FF0000}};
    for (const AaCircle& c : circles) {
        for (double d = 0; d < c.radius + c.thickness + 1; d += 0.0371) {
            for (COLORREF bg : {0x00000000u, 0x00FFFFFFu, 0x00336699u}) {
                CoveredPixel over = EdgeOver(c, d, {bg, 1.0});
                EXPECT_EQ(over.color, EdgeColor(c, d, bg)) << d;
                EXPECT_EQ(over.alpha, 1.0);
            }
            CoveredPixel clear = EdgeOver(c, d, {0x00FFFFFF, 0.0});
            EXPECT_NEAR(clear.alpha, 1 - CoverageBeyond(c.radius + c.thickness / 2, d), 1e-15);
            if (c.thickness <= 0 && clear.alpha > 0) {
                EXPECT_EQ(clear.color, c.innerCol);
            }
        }
    }
}

TEST(PngExport, RefusalsWriteNothing) {
    TempDir dir;
    CircleList list;
    Sample(list);
    PngSetup setup;
    setup.radius = 40000; // 80 014 pixels square: more than the picture may hold
    EXPECT_EQ(ExportPng(list.array, setup, dir.File("big.png")), ExportStatus::BitmapTooLarge);
    setup.radius = 50;
    EXPECT_EQ(ExportPng(list.array, setup, dir.File("no/such.png")), ExportStatus::CannotOpen);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{});
}
