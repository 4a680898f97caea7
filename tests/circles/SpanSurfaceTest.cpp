// The run-by-run drawing into 32-bit pixels sets exactly the pixels the pixel-by-pixel bitmap
// drawing sets: ellipses of every size and pen, centres on and between pixels, hatch, XOR,
// clipping, lines and fills; its wider pens on a high-density screen.
#include "circles/SpanSurface.h"

#include "circles/DibBuffer.h"
#include "circles/DibSurface.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 64;

// A background of many colours, so that XOR and untouched gaps show.
COLORREF Backdrop(int x, int y) {
    return MakeRgb(std::uint8_t(x * 4), std::uint8_t(y * 4), std::uint8_t((x ^ y) * 3));
}

COLORREF FromPixel(std::uint32_t p) {
    return MakeRgb(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}

struct Script {
    std::string name;
    std::function<void(CDrawSurface&)> draw;
};

void Circle(CDrawSurface& s, IntRect r, SurfacePen pen, SurfaceBrush brush) {
    s.SelectPen(pen);
    s.SelectBrush(brush);
    s.Ellipse(r);
}

std::vector<Script> Scripts() {
    const SurfaceBrush white = SurfaceBrush::Solid(0x00FFFFFF);
    std::vector<Script> scripts;
    // Every size from nothing to a few dozen pixels, odd and even, in the pens circles use.
    for (int pen : {-1, 0, 1, 2, 3, 7}) {
        scripts.push_back({"sizes, pen " + std::to_string(pen), [=](CDrawSurface& s) {
                               int x = 0;
                               for (int size = 0; size <= 24; ++size) {
                                   const SurfacePen p = pen < 0 ? SurfacePen::Null()
                                                                : SurfacePen::Solid(pen, 0x0000FF);
                                   Circle(s, {x % 56, 2 * size, x % 56 + size, 3 * size}, p, white);
                                   x += size + 3;
                               }
                           }});
    }
    scripts.push_back(
        {"ellipses and an open brush", [=](CDrawSurface& s) {
             Circle(s, {3, 5, 40, 20}, SurfacePen::Solid(2, 0), white);
             Circle(s, {10, 22, 19, 60}, SurfacePen::Solid(1, 0x00FF00), SurfaceBrush::Null());
             Circle(s, {30, 30, 31, 50}, SurfacePen::Solid(1, 0), white);
         }});
    scripts.push_back({"a pen wider than the circle", [=](CDrawSurface& s) {
                           Circle(s, {20, 20, 30, 30}, SurfacePen::Solid(14, 0x00808080), white);
                       }});
    scripts.push_back({"clipped on every side, shifted origin", [=](CDrawSurface& s) {
                           s.SetOrigin({-7, 50});
                           Circle(s, {-10, -80, 90, 20}, SurfacePen::Solid(3, 0x00AA5500),
                                  SurfaceBrush::Solid(0x00123456));
                           Circle(s, {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2},
                                  SurfacePen::Null(), SurfaceBrush::Solid(0x00010203));
                       }});
    scripts.push_back({"XOR hatch, transparent and opaque", [=](CDrawSurface& s) {
                           s.SelectPen(SurfacePen::Null());
                           s.SelectBrush(SurfaceBrush::CrossHatch(0x7FBFFF));
                           s.SetRasterOp(RasterOp::XorPen);
                           s.SetTransparentBackground(true);
                           s.Ellipse({2, 2, 40, 40});
                           s.SetTransparentBackground(false);
                           s.Ellipse({25, 25, 62, 60});
                           s.SelectPen(SurfacePen::Solid(1, 0x00FF00FF));
                           s.Ellipse({5, 30, 30, 55});
                       }});
    scripts.push_back({"nothing under NoOp; lines, pixels, fills", [=](CDrawSurface& s) {
                           s.SetRasterOp(RasterOp::NoOp);
                           s.Ellipse({0, 0, 60, 60});
                           s.SetPixel({3, 3}, 0);
                           s.SetRasterOp(RasterOp::CopyPen);
                           s.SelectPen(SurfacePen::Solid(1, 0x000000FF));
                           s.Line({2, 60}, {60, 7});
                           s.Line({-5, 10}, {70, 12});
                           s.SetPixel({63, 63}, 0x00FF0000);
                           s.SetPixel({64, 3}, 0x00FF0000);
                           s.FillRect({-5, 40, 10, 80}, 0x0000FF00);
                       }});
    return scripts;
}

} // namespace

TEST(SpanSurface, SetsThePixelsTheBitmapSurfaceSets) {
    for (const Script& script : Scripts()) {
        CDibBuffer dib;
        ASSERT_TRUE(dib.Create(kSide, kSide));
        std::vector<std::uint32_t> pixels(kSide * kSide);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                dib.SetPixel(x, y, Backdrop(x, y));
                const COLORREF c = Backdrop(x, y);
                pixels[y * kSide + x] =
                    0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
            }
        }
        CDibSurface reference(dib);
        CSpanSurface runs(pixels.data(), kSide, kSide, kSide);
        script.draw(reference);
        script.draw(runs);
        int differing = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const std::uint32_t p = pixels[y * kSide + x];
                differing += FromPixel(p) != dib.GetPixel(x, y) || (p >> 24) != 0xFF;
            }
        }
        EXPECT_EQ(differing, 0) << script.name;
    }
}

TEST(SpanSurface, PensScaleOnAHighDensityScreen) {
    // Twice the pixels per unit: a pen of width w is 2w pixels wide, width 0 as wide as 1.
    for (int width : {0, 1, 3}) {
        std::vector<std::uint32_t> scaled(kSide * kSide, 0xFFFFFFFFu);
        std::vector<std::uint32_t> plain(kSide * kSide, 0xFFFFFFFFu);
        CSpanSurface doubled(scaled.data(), kSide, kSide, kSide, 2.0);
        CSpanSurface single(plain.data(), kSide, kSide, kSide);
        Circle(doubled, {10, 10, 50, 50}, SurfacePen::Solid(width, 0), SurfaceBrush::Null());
        Circle(single, {10, 10, 50, 50}, SurfacePen::Solid(2 * std::max(width, 1), 0),
               SurfaceBrush::Null());
        EXPECT_EQ(scaled, plain) << width;
    }
}
