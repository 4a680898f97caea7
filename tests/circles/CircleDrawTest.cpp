// Drawing circles: ellipse rectangles, the recorded calls of every draw mode, the selection
// overlay of the outer circle, and the antialiased order.
#include "RecordingSurface.h"
#include "circles/Antialias.h"
#include "circles/DibBuffer.h"
#include "support/CircleList.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

const std::string kOwn = "pen solid 2 #0000ff brush solid #00ff00 opaque copy origin 0,0";
const std::string kOverlay = "pen null 0 #000000 brush hatch #7fbfff transparent xor origin 0,0";
const std::string kRect = "8,18,15,25";

CCPCircle Sample(int selected) {
    CCPCircle c;
    c.m_euclidCentre.Set(10.5, 20.5);
    c.m_euclidRadius = 3;
    c.m_thickness = 2;
    c.m_lineCol = 0x0000FF;
    c.m_innerCol = 0x00FF00;
    c.m_selected = selected;
    return c;
}

std::vector<std::string> DrawnBy(const CCPCircle& c, DrawMode mode) {
    CRecordingSurface s;
    SurfaceState before = s.State();
    c.Draw(s, 1.0, mode);
    EXPECT_EQ(s.State(), before) << "the state returns to what it was";
    EXPECT_EQ(s.calls.front(), "save");
    EXPECT_EQ(s.calls.back().rfind("state", 0) == 0 ? s.calls[s.calls.size() - 2] : s.calls.back(),
              "restore");
    return s.Drawings();
}

} // namespace

TEST(CircleDraw, EllipseRectangleRoundsHalvesAwayAndIncludesTheRoundedExtremes) {
    CCPCircle c = Sample(0);
    EXPECT_EQ(c.GetEllipseRect(1.0), (IntRect{8, 18, 15, 25}));
    c.m_euclidCentre.Set(-0.5, 0);
    c.m_euclidRadius = 0.25;
    EXPECT_EQ(c.GetEllipseRect(10.0), (IntRect{-8, -3, -2, 4})); // -7.5 -> -8, -2.5 -> -3
    c.m_euclidCentre.Set(0, 0);
    c.m_euclidRadius = 1;
    IntRect huge = c.GetEllipseRect(1e12);
    EXPECT_EQ(huge.right, INT32_MAX);
    EXPECT_EQ(huge.left, INT32_MIN);
}

TEST(CircleDraw, RecordedCallsOfEachMode) {
    using V = std::vector<std::string>;
    std::string own = "ellipse " + kRect + " " + kOwn;
    std::string overlay = "ellipse " + kRect + " " + kOverlay;
    EXPECT_EQ(DrawnBy(Sample(0), DrawNormal), V{own});
    EXPECT_EQ(DrawnBy(Sample(1), DrawNormal), (V{own, overlay}));
    EXPECT_EQ(DrawnBy(Sample(1), DrawMode(99)), (V{own, overlay})); // unknown modes draw normally
    EXPECT_EQ(DrawnBy(Sample(1), DrawPlain), V{own});
    EXPECT_EQ(DrawnBy(Sample(0), DrawSelection), V{});
    EXPECT_EQ(DrawnBy(Sample(1), DrawSelection), V{overlay});
    BackModeColor = 0x00808080;
    CRecordingSurface s;
    Sample(1).Draw(s, 1.0, DrawBack, 0x00123456);
    EXPECT_EQ(s.Drawings(), V{"ellipse " + kRect +
                              " pen solid 0 #808080 brush solid #123456 opaque copy origin 0,0"});
}

// Drawing only reads the circle: a negative width draws no outline and stays as it is; the
// width is normalised where it is set (see CircleStyleTest) or loaded (DocumentFormatTest).
TEST(CircleDraw, ANegativeWidthDrawsWithoutOutlineAndDrawingLeavesItAlone) {
    for (DrawMode mode : {DrawBack, DrawSelection}) {
        CCPCircle c = Sample(1);
        c.m_thickness = -3;
        CRecordingSurface s;
        c.Draw(s, 1.0, mode);
        EXPECT_EQ(c.m_thickness, -3);
    }
    for (DrawMode mode : {DrawNormal, DrawPlain}) {
        CCPCircle c = Sample(0);
        c.m_thickness = -3;
        CRecordingSurface s;
        c.Draw(s, 1.0, mode);
        EXPECT_EQ(c.m_thickness, -3);
        ASSERT_EQ(s.Drawings().size(), 1u);
        EXPECT_NE(s.Drawings()[0].find("pen null"), std::string::npos);
    }
}

TEST(CircleDraw, ArrayDrawsOuterFirstAndHatchesAroundUnselectedCirclesOfASelectedOuter) {
    CircleList list;
    list.array.m_outer.m_selected = 1;
    list.Add(0.5, 0, 0.25).m_selected = 1;
    list.Add(-0.5, 0, 0.25);
    list.Add(0, 0.5, 0.25);
    CRecordingSurface normal;
    list.array.Draw(normal, 100, DrawNormal);
    std::vector<std::string> n = normal.Drawings();
    ASSERT_EQ(n.size(), 6u); // outer + overlay, first + overlay, two plain
    EXPECT_EQ(n[0].substr(0, 29), "ellipse -100,-100,101,101 pen");
    EXPECT_EQ(n[2].substr(0, 20), "ellipse 25,-25,76,26");

    CRecordingSurface selection;
    list.array.Draw(selection, 100, DrawSelection);
    std::vector<std::string> d = selection.Drawings();
    ASSERT_EQ(d.size(), 3u); // the outer overlay, then the two circles that were unselected
    EXPECT_EQ(d[0], "ellipse -100,-100,101,101 " + kOverlay);
    EXPECT_EQ(d[1].substr(0, 22), "ellipse -75,-25,-24,26");
    EXPECT_EQ(d[2].substr(0, 20), "ellipse -25,25,26,76");
    EXPECT_EQ(list.owned[0]->m_selected, 1); // flags back as they were
    EXPECT_EQ(list.owned[1]->m_selected, 0);
    EXPECT_EQ(list.array.m_outer.m_selected, 1);

    list.array.m_outer.m_selected = 0;
    CRecordingSurface plain;
    list.array.Draw(plain, 100, DrawSelection);
    EXPECT_EQ(plain.Drawings().size(), 1u); // only the selected listed circle
}

TEST(CircleDraw, AntialiasedArrayDrawsOuterFirstThenTheList) {
    CircleList list;
    list.array.m_outer.m_innerCol = 0x00FFFFFF;
    list.Add(0.3, 0.1, 0.4, 2, 0x000000FF, 0x0000FF00);
    list.Add(-0.2, 0, 0.5, 0, 0, 0x00FF0000);
    CDibBuffer viaArray, direct;
    for (CDibBuffer* dib : {&viaArray, &direct}) {
        ASSERT_TRUE(dib->Create(70, 70));
        dib->Fill(0x00808080);
        dib->SetOrigin(35, 35);
        dib->SetOutsideColor(0x00808080);
    }
    list.array.DrawAntialiased(viaArray, 30);
    for (int i = -1; i < list.array.GetCount(); ++i) {
        const CCPCircle* c = list.array.GetAt(i);
        RasteriseCircle(direct, AaCircle{30 * c->m_euclidCentre.x, 30 * c->m_euclidCentre.y,
                                         30 * c->m_euclidRadius, double(c->m_thickness),
                                         c->m_lineCol, c->m_innerCol});
    }
    for (int y = 0; y < 70; ++y) {
        ASSERT_EQ(std::memcmp(viaArray.Row(y), direct.Row(y), std::size_t(direct.Stride())), 0);
    }
    EXPECT_EQ(viaArray.GetPixel(-9, 0), 0x00FF0000u); // the later circle covers the earlier
}

TEST(CircleDraw, AScreenSkipsCirclesOutsideItAndBelowAPixelAndFilesDoNot) {
    CCPCircle inside = Sample(0);
    CCPCircle outside = Sample(0);
    outside.m_euclidCentre.Set(500, 20);
    CCPCircle tiny = Sample(0);
    tiny.m_euclidRadius = 0.4;
    CCPCircle pixel = Sample(0);
    pixel.m_euclidRadius = 0.5;
    // A wide line reaches into the screen from a circle just outside it.
    CCPCircle wide = Sample(0);
    wide.m_euclidCentre.Set(-6, 20);
    wide.m_thickness = 8;
    const CCPCircle* circles[] = {&inside, &outside, &tiny, &pixel, &wide};
    CRecordingSurface file;
    CRecordingSurface screen;
    screen.SetVisibleArea({0, 0, 100, 100});
    for (const CCPCircle* c : circles) {
        c->Draw(file, 1.0, DrawNormal);
        c->Draw(screen, 1.0, DrawNormal);
    }
    EXPECT_EQ(file.Drawings().size(), 5u);
    const std::vector<std::string> shown = screen.Drawings();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].rfind("ellipse " + kRect, 0), 0u);
    EXPECT_EQ(shown[1].rfind("ellipse 10,20,12,22", 0), 0u);
    EXPECT_EQ(shown[2].rfind("ellipse -9,17,-2,24", 0), 0u);
}
