// Antialiasing: the coverage fraction, the blend, and the fast rasteriser against the plain
// pixel-by-pixel one.
#include "circles/Antialias.h"

#include "circles/DibBuffer.h"
#include "document/GraphBuilder.h"
#include "document/TesselDoc.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr double kRho = kPixelRadius;

bool SameBytes(const CDibBuffer& a, const CDibBuffer& b) {
    for (int y = 0; y < a.Height(); ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Stride())) != 0) {
            return false;
        }
    }
    return true;
}

void FillNoise(CDibBuffer& dib, std::mt19937& random) {
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            dib.SetPixel(x - dib.OriginX(), y - dib.OriginY(), random() & 0xFFFFFF);
        }
    }
}

void PrepareTwins(CDibBuffer& a, CDibBuffer& b, int w, int h, int ox, int oy, int seed) {
    for (CDibBuffer* dib : {&a, &b}) {
        ASSERT_TRUE(dib->Create(w, h));
        dib->SetOrigin(ox, oy);
        std::mt19937 noise(seed);
        FillNoise(*dib, noise);
    }
}

} // namespace

TEST(Blend, WorkedValues) {
    EXPECT_EQ(Blend(0x0000FF, 0x00FF00, 0.5), MakeRgb(191, 191, 0));
    EXPECT_EQ(Blend(0, 0, 0.3), 0u);
    EXPECT_EQ(Blend(0x0000FF, 0, 0.5), MakeRgb(128, 0, 0)); // brightness blends linearly already
    EXPECT_EQ(Blend(0x0000FF, 0xFF0000, 0.25), MakeRgb(223, 0, 74)); // k = 7/6
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        COLORREF a = random() & 0xFFFFFF, b = random() & 0xFFFFFF;
        ASSERT_EQ(Blend(a, b, 0), a);
        ASSERT_EQ(Blend(a, b, 1), b);
        ASSERT_EQ(Blend(a, a, std::uniform_real_distribution<>(0, 1)(random)), a);
    }
}

TEST(Coverage, StraightEdgeValuesFarFromTheCentre) {
    for (double re : {12.0, 100.0, 5000.0}) {
        EXPECT_NEAR(CoverageBeyond(re, re), 0.5, 1e-12) << re;
        EXPECT_EQ(CoverageBeyond(re, re - kRho), 0.0);
        EXPECT_EQ(CoverageBeyond(re, re - 3), 0.0);
        EXPECT_EQ(CoverageBeyond(re, re + kRho), 1.0);
        EXPECT_LT(CoverageBeyond(re, re - 0.2), 0.5);
        EXPECT_GT(CoverageBeyond(re, re + 0.2), 0.5);
    }
}

TEST(Coverage, NearTheCentreIncludingTheCasesTheFormulaLeavesOpen) {
    // Away from the boundary cases the near formula agrees with the straight edge.
    EXPECT_NEAR(CoverageBeyond(10 * kRho, 10 * kRho), 0.5, 0.02);
    EXPECT_EQ(CoverageBeyond(5, 0), 0.0);    // pixel at the centre, well inside
    EXPECT_EQ(CoverageBeyond(kRho, 0), 0.0); // the edge just touches the pixel disk
    // A circle smaller than the pixel disk and wholly inside it leaves the rest beyond.
    EXPECT_NEAR(CoverageBeyond(kRho / 2, 0), 0.75, 1e-15);
    EXPECT_NEAR(CoverageBeyond(kRho / 4, kRho / 2), 1 - 1.0 / 16, 1e-15);
    // The inner edge of a line wider than the circle: everything is beyond it.
    for (double d : {0.0, 0.3, 1.0, 5.0, 50.0}) {
        EXPECT_EQ(CoverageBeyond(0, d), 1.0);
        EXPECT_EQ(CoverageBeyond(-4, d), 1.0);
    }
}

TEST(Coverage, AlwaysAFraction) {
    for (double re = -1; re <= 30; re += 0.0371) {
        for (double d = 0; d <= 40; d += 0.0137) {
            double f = CoverageBeyond(re, d);
            ASSERT_GE(f, 0.0) << re << ' ' << d;
            ASSERT_LE(f, 1.0) << re << ' ' << d;
        }
    }
}

TEST(Rasterise, FastImageEqualsThePixelByPixelOne) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<> unit(0, 1);
    for (int trial = 0; trial < 400; ++trial) {
        int w = 1 + int(random() % 70), h = 1 + int(random() % 70);
        CDibBuffer fast, slow;
        ASSERT_TRUE(fast.Create(w, h));
        ASSERT_TRUE(slow.Create(w, h));
        int ox = int(random() % (2 * w + 1)) - w / 2, oy = int(random() % (2 * h + 1)) - h / 2;
        fast.SetOrigin(ox, oy);
        slow.SetOrigin(ox, oy);
        std::mt19937 noise(trial);
        FillNoise(fast, noise);
        noise.seed(trial);
        FillNoise(slow, noise);
        AaCircle c;
        c.x = (unit(random) - 0.5) * 2.5 * w - ox + w / 2;
        c.y = (unit(random) - 0.5) * 2.5 * h - oy + h / 2;
        double scales[] = {0.3, 2, 15, 60};
        c.radius = unit(random) * scales[trial % 4];
        int widths[] = {0, 1, 2, -3, 7, int(3 * c.radius) + 1};
        c.thickness = widths[random() % 6];
        c.lineCol = random() & 0xFFFFFF;
        c.innerCol = random() & 0xFFFFFF;
        if (trial % 50 == 0) { // exact halves and integers, where rounding ties lie
            c.x = std::round(c.x) + 0.5;
            c.y = std::round(c.y);
            c.radius = std::round(c.radius + 1);
        }
        RasteriseCircle(fast, c);
        RasteriseCircleReference(slow, c);
        ASSERT_TRUE(SameBytes(fast, slow)) << "trial " << trial << " centre " << c.x << ',' << c.y
                                           << " r " << c.radius << " t " << c.thickness;
    }
}

// Large circles whose edges cross a wide picture, so that the inner spans take every length
// and start column, over noise, with centres on integers and halves as well.
TEST(Rasterise, LargeCirclesCrossingThePictureEqualThePixelByPixelOne) {
    std::mt19937 random(77);
    std::uniform_real_distribution<> unit(0, 1);
    for (int trial = 0; trial < 24; ++trial) {
        int w = 150 + int(random() % 170), h = 20 + int(random() % 40);
        CDibBuffer fast, slow;
        ASSERT_TRUE(fast.Create(w, h));
        ASSERT_TRUE(slow.Create(w, h));
        std::mt19937 noise(trial);
        FillNoise(fast, noise);
        noise.seed(trial);
        FillNoise(slow, noise);
        AaCircle c;
        c.radius = 60 + unit(random) * 240;
        double angle = unit(random) * 6.283185307179586;
        double reach = c.radius * (0.6 + 0.6 * unit(random)); // the edge crosses the picture
        c.x = w / 2.0 + reach * std::cos(angle);
        c.y = h / 2.0 + reach * std::sin(angle);
        if (trial % 3 == 0) {
            c.x = std::round(c.x) + (trial % 2) * 0.5;
            c.y = std::round(c.y);
            c.radius = std::round(c.radius);
        }
        c.thickness = double(int(random() % 9) - 2);
        c.lineCol = random() & 0xFFFFFF;
        c.innerCol = random() & 0xFFFFFF;
        RasteriseCircle(fast, c);
        RasteriseCircleReference(slow, c);
        ASSERT_TRUE(SameBytes(fast, slow)) << "trial " << trial << " centre " << c.x << ',' << c.y
                                           << " r " << c.radius << " t " << c.thickness;
    }
}

TEST(Rasterise, LaterCirclesBlendOverEarlierOnes) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(40, 40));
    dib.Fill(0x00FFFFFF);
    AaCircle first{20, 20, 10, 1, 0x000000, 0x0000FF};
    AaCircle second{28, 20, 6, 2, 0xFF0000, 0x00FF00};
    RasteriseCircle(dib, first);
    COLORREF under = dib.GetPixel(22, 20); // well inside the first circle: its inner colour
    EXPECT_EQ(under, 0x0000FFu);
    RasteriseCircle(dib, second);
    // (22, 20) lies 6 from the second centre: on its outline, blended over the red inner.
    EXPECT_EQ(dib.GetPixel(22, 20), EdgeColor(second, 6, under));
    EXPECT_EQ(dib.GetPixel(28, 20), 0x00FF00u);
}

TEST(Rasterise, WidthZeroOverItsOwnColourChangesNothing) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(30, 30));
    dib.Fill(0x00406080);
    RasteriseCircle(dib, AaCircle{14.3, 15.6, 9.7, 0, 0, 0x00406080});
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(dib.GetPixel(x, y), 0x00406080u);
        }
    }
}

TEST(Rasterise, NonFiniteOrHugeCirclesDrawNothing) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(8, 8));
    dib.Fill(0x00010203);
    RasteriseCircle(dib, AaCircle{NAN, 0, 3, 1, 0, 0});
    RasteriseCircle(dib, AaCircle{0, 0, INFINITY, 1, 0, 0});
    RasteriseCircle(dib, AaCircle{1e300, 0, 1e300, 1, 0, 0});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(dib.GetPixel(x, y), 0x00010203u);
        }
    }
}

TEST(Rasterise, ACircleFarLargerThanThePictureFillsItQuickly) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(16, 16));
    RasteriseCircle(dib, AaCircle{0, 0, 1e9, 1, 0, 0x00ABCDEF});
    EXPECT_EQ(dib.GetPixel(7, 7), 0x00ABCDEFu);
}

// Many overlapping circles of every kind, partly outside the picture, drawn as one list (on
// one thread and on three) against each drawn pixel by pixel in turn, so that every edge
// blends over what the earlier circles left.
TEST(Rasterise, AListEqualsTheCirclesDrawnPixelByPixelInTurnOnAnyNumberOfThreads) {
    std::mt19937 random(31);
    std::uniform_real_distribution<> unit(0, 1);
    for (int trial = 0; trial < 80; ++trial) {
        int w = 10 + int(random() % 110), h = 10 + int(random() % 250);
        int ox = int(random() % (w + 1)), oy = int(random() % (h + 1));
        CDibBuffer fast, slow;
        PrepareTwins(fast, slow, w, h, ox, oy, trial);
        std::vector<AaCircle> circles(1 + random() % 30);
        for (AaCircle& c : circles) {
            c.x = (unit(random) * 1.6 - 0.3) * w - ox;
            c.y = (unit(random) * 1.6 - 0.3) * h - oy;
            c.radius = std::exp(unit(random) * 7.5 - 3); // 0.05 to 90 pixels
            double widths[] = {0, 1, 2, -3, 0.5, 7, 3 * c.radius + 1};
            c.thickness = widths[random() % 7];
            c.lineCol = random() & 0xFFFFFF;
            c.innerCol = random() % 4 ? random() & 0xFFFFFF : c.lineCol;
            if (random() % 5 == 0) { // exact halves and integers, where rounding ties lie
                c.x = std::round(c.x) + 0.5 * (random() % 2);
                c.y = std::round(c.y);
                c.radius = std::round(c.radius) + 0.5;
            }
        }
        circles.push_back(circles.front()); // the same circle again, over itself
        CDibBuffer shared, unused;
        PrepareTwins(shared, unused, w, h, ox, oy, trial);
        RasteriseCircles(fast, circles);
        RasteriseCircles(shared, circles, 3); // rows shared among threads where there are many
        // With a background each block of rows is set to it just before its circles.
        COLORREF background = trial % 2 ? 0x00808080 : COLORREF(random() & 0xFFFFFF);
        CDibBuffer onBackground, slowOnBackground;
        PrepareTwins(onBackground, slowOnBackground, w, h, ox, oy, trial);
        RasteriseCircles(onBackground, circles, 2, background);
        slowOnBackground.Fill(background);
        for (const AaCircle& c : circles) {
            RasteriseCircleReference(slow, c);
            RasteriseCircleReference(slowOnBackground, c);
        }
        ASSERT_TRUE(SameBytes(fast, slow)) << "trial " << trial;
        ASSERT_TRUE(SameBytes(shared, slow)) << "trial " << trial;
        ASSERT_TRUE(SameBytes(onBackground, slowOnBackground)) << "trial " << trial;
    }
}

// A packed disk as the bitmap export draws it, through the array's drawing.
TEST(Rasterise, APackedDiskEqualsItsCirclesDrawnPixelByPixel) {
    CTesselDoc doc;
    ASSERT_TRUE(BuildHexDisk(doc, 12));
    for (int run = 0; run < 6; ++run) {
        doc.RunPacking(nullptr);
    }
    const CCPCircleArray& circles = doc.m_circles;
    ASSERT_GT(circles.GetCount(), 400);
    constexpr double kScale = 300;
    IntRect extent = circles.GetExtent(kScale);
    CDibBuffer fast, slow;
    for (CDibBuffer* dib : {&fast, &slow}) {
        ASSERT_TRUE(dib->Create(extent.Width(), extent.Height()));
        dib->SetOrigin(extent.Width() / 2, extent.Height() / 2);
    }
    slow.Fill(0x00FFFFFF);
    circles.DrawAntialiased(fast, kScale, 0x00FFFFFF);
    for (int i = -1; i < circles.GetCount(); ++i) {
        const CCPCircle* c = circles.GetAt(i);
        RasteriseCircleReference(slow, {kScale * c->m_euclidCentre.x, kScale * c->m_euclidCentre.y,
                                        kScale * c->m_euclidRadius, double(c->m_thickness),
                                        c->m_lineCol, c->m_innerCol});
    }
    EXPECT_TRUE(SameBytes(fast, slow));
}
