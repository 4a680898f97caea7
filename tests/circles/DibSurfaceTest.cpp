// Plain drawing into the pixel buffer: ellipse extents, pen over brush, hatch, XOR, clipping.
#include "circles/DibSurface.h"

#include "circles/DibBuffer.h"

#include <gtest/gtest.h>

namespace {

// The smallest rectangle (right, bottom excluded) of pixels that differ from `background`.
IntRect Painted(const CDibBuffer& dib, COLORREF background) {
    IntRect r{dib.Width(), dib.Height(), -1, -1};
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            if (dib.GetPixel(x, y) != background) {
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                     std::max(r.bottom, y + 1)};
            }
        }
    }
    return r;
}

struct Picture {
    explicit Picture(int w, int h) {
        EXPECT_TRUE(dib.Create(w, h));
        dib.Fill(0x00FFFFFF);
    }
    CDibBuffer dib;
    CDibSurface surface{dib};
};

} // namespace

TEST(DibSurface, EllipseCoversExactlyItsRectangle) {
    for (bool withPen : {true, false}) {
        Picture p(40, 40);
        p.surface.SelectPen(withPen ? SurfacePen::Solid(1, 0x0000FF) : SurfacePen::Null());
        p.surface.SelectBrush(SurfaceBrush::Solid(0x00FF00));
        p.surface.Ellipse({8, 18, 15, 25});
        EXPECT_EQ(Painted(p.dib, 0x00FFFFFF), (IntRect{8, 18, 15, 25})) << withPen;
        EXPECT_EQ(p.dib.GetPixel(11, 21), 0x00FF00u);
        EXPECT_EQ(p.dib.GetPixel(8, 21), withPen ? 0x0000FFu : 0x00FF00u);
        EXPECT_EQ(p.dib.GetPixel(14, 21), withPen ? 0x0000FFu : 0x00FF00u);
    }
}

TEST(DibSurface, WidePensAreCentredAndTheOriginShifts) {
    Picture p(80, 80);
    p.surface.SetOrigin({40, 40});
    p.surface.SelectPen(SurfacePen::Solid(5, 0));
    p.surface.SelectBrush(SurfaceBrush::Solid(0x00808080));
    p.surface.Ellipse({-20, -20, 21, 21});
    EXPECT_EQ(Painted(p.dib, 0x00FFFFFF), (IntRect{18, 18, 63, 63}));
    EXPECT_EQ(p.dib.GetPixel(40, 40), 0x00808080u);
    EXPECT_EQ(p.dib.GetPixel(20, 40), 0u);
    EXPECT_EQ(p.dib.GetPixel(62, 40), 0u);
}

TEST(DibSurface, XorHatchTwiceRestoresAndTransparentGapsStay) {
    Picture p(40, 40);
    p.surface.SelectBrush(SurfaceBrush::Solid(0x00336699));
    p.surface.Ellipse({2, 2, 38, 38});
    CDibBuffer before = p.dib;
    p.surface.SelectPen(SurfacePen::Null());
    p.surface.SelectBrush(SurfaceBrush::CrossHatch(0x7FBFFF));
    p.surface.SetTransparentBackground(true);
    p.surface.SetRasterOp(RasterOp::XorPen);
    p.surface.Ellipse({2, 2, 38, 38});
    EXPECT_EQ(p.dib.GetPixel(16, 16), 0x00336699u ^ 0x7FBFFFu); // on the diagonal
    EXPECT_EQ(p.dib.GetPixel(17, 16), 0x00336699u);             // a gap
    p.surface.Ellipse({2, 2, 38, 38});
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(p.dib.GetPixel(x, y), before.GetPixel(x, y));
        }
    }
}

TEST(DibSurface, OpaqueHatchPaintsItsGapsWhite) {
    Picture p(16, 16);
    p.dib.Fill(0);
    p.surface.SelectPen(SurfacePen::Null());
    p.surface.SelectBrush(SurfaceBrush::CrossHatch(0x0000FF));
    p.surface.Ellipse({0, 0, 16, 16});
    EXPECT_EQ(p.dib.GetPixel(8, 8), 0x0000FFu);
    EXPECT_EQ(p.dib.GetPixel(9, 8), 0x00FFFFFFu);
}

TEST(DibSurface, LinesPixelsFillsAndNoOp) {
    Picture p(20, 20);
    p.surface.Line({2, 5}, {12, 5});
    EXPECT_EQ(Painted(p.dib, 0x00FFFFFF), (IntRect{2, 5, 12, 6}));
    p.surface.SetRasterOp(RasterOp::NoOp);
    p.surface.SetPixel({15, 15}, 0);
    p.surface.Ellipse({0, 0, 20, 20});
    EXPECT_EQ(Painted(p.dib, 0x00FFFFFF), (IntRect{2, 5, 12, 6}));
    p.surface.FillRect({-5, -5, 3, 2}, 0x00123456); // clipped, raster operation ignored
    EXPECT_EQ(p.dib.GetPixel(2, 1), 0x00123456u);
    EXPECT_EQ(p.dib.GetPixel(3, 1), 0x00FFFFFFu);
}

TEST(DibSurface, HugeEllipsesAreClippedToThePicture) {
    Picture p(10, 10);
    p.surface.SelectBrush(SurfaceBrush::Solid(0x00010101));
    p.surface.Ellipse({INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
    EXPECT_EQ(p.dib.GetPixel(5, 5), 0x00010101u);
}
