// Circle style model: shared styles, selection, rectangle tests, gradations and the extent.
#include "circles/CPCircleArray.h"
#include "circles/ColorHsv.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kGreen = 0x0000FF00;
constexpr COLORREF kBlue = 0x00FF0000;

// A circle array over circles the test owns, with the outer circle in the default style.
class CircleArrayTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCircleDefaults(); }
    void TearDown() override {
        for (CCPCircle* c : array.m_list) {
            delete c;
        }
        array.m_list.clear();
        ResetCircleDefaults();
    }

    CCPCircle* AddCircle(double x, double y, double r, COLORREF inner = 0x00FFFFFF) {
        auto* c = new CCPCircle;
        c->m_euclidCentre.Set(x, y);
        c->m_euclidRadius = r;
        c->m_innerCol = inner;
        array.Add(c);
        return c;
    }

    CCPCircleArray array;
};

} // namespace

TEST_F(CircleArrayTest, NewArrayHasTheUnitOuterCircleInTheOuterDefaults) {
    DefOutInnerCol = kRed;
    DefOutLineCol = kBlue;
    DefOutThickness = 3;
    CCPCircleArray fresh;
    const CCPCircle* outer = fresh.GetAt(-1);
    EXPECT_EQ(outer->m_innerCol, kRed);
    EXPECT_EQ(outer->m_lineCol, kBlue);
    EXPECT_EQ(outer->m_thickness, 3);
    EXPECT_EQ(outer->m_euclidRadius, 1.0);
    EXPECT_EQ(outer->m_euclidCentre, CDPoint(0, 0));
    EXPECT_EQ(outer->m_selected, 0);
    EXPECT_EQ(fresh.GetCount(), 0);
    CCPCircle target;
    EXPECT_EQ(fresh.GetCommonStyle(target), StyleInnerColor | StyleLineColor | StyleLineWidth);
}

TEST_F(CircleArrayTest, CommonStyleReportsOnlyAttributesTheSelectionSharesInListOrder) {
    AddCircle(0, 0, 0.1, kRed)->m_selected = 1;
    AddCircle(0.2, 0, 0.1, kRed)->m_selected = 1;
    CCPCircle* blue = AddCircle(0.4, 0, 0.1, kBlue);
    blue->m_selected = 1;
    blue->m_thickness = 4;
    AddCircle(0.6, 0, 0.1, kGreen); // unselected: never compared
    DefInnerCol = 0x00123456;
    DefThickness = 7;

    CCPCircle target;
    target.m_lineCol = kGreen;
    int flags = array.GetCommonStyle(target);
    EXPECT_EQ(flags, StyleAnySelected | StyleLineColor);
    EXPECT_EQ(target.m_innerCol, 0x00123456u);
    EXPECT_EQ(target.m_thickness, 7);
    EXPECT_EQ(target.m_lineCol, 0x00000000u); // copied from the first selected circle
}

TEST_F(CircleArrayTest, CommonStyleStartsFromTheSelectedOuterCircle) {
    array.m_outer.m_selected = 1;
    array.m_outer.m_innerCol = kGreen;
    AddCircle(0, 0, 0.1, kGreen)->m_selected = 1;
    CCPCircle target;
    EXPECT_EQ(array.GetCommonStyle(target), 15);
    EXPECT_EQ(target.m_innerCol, kGreen);
}

TEST_F(CircleArrayTest, ApplyStyleTouchesOnlySelectedCirclesAndNamedAttributes) {
    CCPCircle* listed = AddCircle(0, 0, 0.1, kRed);
    array.m_outer.m_selected = 1;
    CCPCircle source;
    source.m_innerCol = kBlue;
    source.m_lineCol = kGreen;
    source.m_thickness = 9;
    array.ApplyStyle(source, StyleInnerColor | StyleLineColor | StyleLineWidth);
    EXPECT_EQ(array.m_outer.m_innerCol, kBlue);
    EXPECT_EQ(array.m_outer.m_thickness, 9);
    EXPECT_EQ(listed->m_innerCol, kRed);

    listed->m_selected = 1;
    array.ApplyStyle(source, StyleLineWidth);
    EXPECT_EQ(listed->m_innerCol, kRed);
    EXPECT_EQ(listed->m_thickness, 9);
}

// Drawing reads widths as they are, so they are kept at 0 or more wherever they are set.
TEST_F(CircleArrayTest, AStyleWithANegativeWidthSetsWidthZero) {
    CCPCircle* listed = AddCircle(0, 0, 0.1, kRed);
    listed->m_selected = 1;
    CCPCircle source;
    source.m_thickness = -4;
    array.ApplyStyle(source, StyleLineWidth);
    EXPECT_EQ(listed->m_thickness, 0);
    CCPCircle copy;
    copy.CopyStyle(source);
    EXPECT_EQ(copy.m_thickness, 0);
}

TEST_F(CircleArrayTest, SelectionOperationsTreatTheOuterCircleApart) {
    CCPCircle* a = AddCircle(0, 0, 0.1);
    CCPCircle* b = AddCircle(0.5, 0, 0.1);
    array.SelectAll(1, false);
    EXPECT_EQ(array.m_outer.m_selected, 0);
    EXPECT_EQ(a->m_selected + b->m_selected, 2);
    array.SelectAll(0, true);
    array.m_outer.m_selected = 1;
    array.InvertSelection();
    EXPECT_EQ(array.m_outer.m_selected, 1);
    EXPECT_EQ(a->m_selected + b->m_selected, 2);
    array.ToggleInRect(CDPoint(-0.05, -0.05), CDPoint(0.05, 0.05));
    EXPECT_EQ(a->m_selected, 0);
    EXPECT_EQ(b->m_selected, 1);
    EXPECT_EQ(array.m_outer.m_selected, 1);
}

TEST_F(CircleArrayTest, HitTestIsStrictAndPrefersEarlierCircles) {
    CCPCircle* first = AddCircle(0, 0, 0.5);
    AddCircle(0.25, 0, 0.5);
    EXPECT_EQ(array.HitTest(CDPoint(0.3, 0), false), first);
    EXPECT_EQ(array.HitTest(CDPoint(0.5, 0), false)->m_euclidCentre.x, 0.25); // on first's edge
    EXPECT_EQ(array.HitTest(CDPoint(0.9, 0), false), nullptr);
    EXPECT_EQ(array.HitTest(CDPoint(0.9, 0), true), &array.m_outer);
    EXPECT_EQ(array.HitTest(CDPoint(1.0, 0), true), nullptr);
}

TEST(CircleIntersectsRect, CoversSidesCornersAndStrictEdges) {
    CCPCircle c;
    c.m_euclidCentre.Set(0, 0);
    c.m_euclidRadius = 1;
    struct Case {
        CDPoint a, b;
        bool hit;
    } cases[] = {
        {{-0.1, -0.1}, {0.1, 0.1}, true},  // inside
        {{0.5, -5}, {0.9, 5}, true},       // a band across the disk
        {{2, 3}, {0.9, -3}, true},         // corners given in any order
        {{1, -5}, {2, 5}, false},          // touching the side only
        {{0.6, 0.6}, {2, 2}, true},        // corner inside the disk
        {{0.75, 0.75}, {2, 2}, false},     // corner beyond the radius
        {{-3, 1.5}, {3, 2}, false},        // above
        {{-0.5, -0.5}, {-0.5, 0.5}, true}, // a segment across the disk
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c.IntersectsRect(k.a, k.b), k.hit)
            << "(" << k.a.x << "," << k.a.y << ")-(" << k.b.x << "," << k.b.y << ")";
    }
}

TEST_F(CircleArrayTest, LinearGradationRedToBlueGoesThroughMagentaAndClampsAtTheEnds) {
    CCPCircle* before = AddCircle(-0.5, 0.3, 0.05);
    CCPCircle* middle = AddCircle(0.5, -0.2, 0.05);
    CCPCircle* beyond = AddCircle(1.5, 0, 0.05);
    CCPCircle* untouched = AddCircle(0.5, 0, 0.05, kGreen);
    array.SelectAll(1, false);
    untouched->m_selected = 0;
    CGradation g{kRed, CDPoint(0, 0), kBlue, CDPoint(1, 0), 0, 1, GradLinear, 0};
    array.ApplyGradation(g);
    EXPECT_EQ(before->m_innerCol, kRed);
    EXPECT_EQ(middle->m_innerCol, 0x00FF00FFu);
    EXPECT_EQ(beyond->m_innerCol, kBlue);
    EXPECT_EQ(untouched->m_innerCol, kGreen);
    EXPECT_EQ(middle->m_lineCol, 0x00000000u); // line colour not asked for
}

TEST_F(CircleArrayTest, GradationsThatCannotApplyChangeNothing) {
    CCPCircle* c = AddCircle(0.5, 0, 0.1, kGreen);
    c->m_selected = 1;
    CGradation off{kRed, CDPoint(0, 0), kBlue, CDPoint(1, 0), 0, 0, GradLinear, 0};
    array.ApplyGradation(off);
    CGradation badKind{kRed, CDPoint(0, 0), kBlue, CDPoint(1, 0), 1, 1, 3, 0};
    array.ApplyGradation(badKind);
    // Both ends snap to the same circle's centre.
    CGradation snapped{kRed, CDPoint(0.45, 0), kBlue, CDPoint(0.55, 0), 1, 1, GradCircular, 1};
    array.ApplyGradation(snapped);
    // Ends apart, but too close or too far for their distance to be a double.
    CGradation close{kRed, CDPoint(0, 0), kBlue, CDPoint(1e-200, 0), 1, 1, GradLinear, 0};
    array.ApplyGradation(close);
    CGradation far{kRed, CDPoint(-1e300, 0), kBlue, CDPoint(1e300, 0), 1, 1, GradCircular, 0};
    array.ApplyGradation(far);
    EXPECT_EQ(c->m_innerCol, kGreen);
    EXPECT_EQ(c->m_lineCol, 0x00000000u);
}

TEST_F(CircleArrayTest, CircularGradationInterpolatesFromTheCentreAndIncludesTheOuterCircle) {
    CCPCircle* centre = AddCircle(0.2, 0.2, 0.05);
    CCPCircle* far = AddCircle(0.9, 0.2, 0.05);
    array.SelectAll(1, true);
    CGradation g{0x00404040, CDPoint(0.21, 0.2), 0x00C0C0C0, CDPoint(0.2, 0.7), 1,
                 1,          GradCircular,       1};
    array.ApplyGradation(g);
    EXPECT_EQ(centre->m_lineCol, 0x00404040u); // snapped start: t = 0, a grey round trip
    EXPECT_EQ(far->m_innerCol, 0x00C0C0C0u);
    // The outer circle's centre is 0.2·√2 from the start over a length of 0.5: between greys
    // only the value moves.
    unsigned v = GetRValue(array.m_outer.m_innerCol);
    EXPECT_EQ(array.m_outer.m_innerCol, MakeRgb(v, v, v));
    EXPECT_GT(v, 0x40u);
    EXPECT_LT(v, 0xC0u);
}

TEST(ColorHsv, ConvertsAndInterpolatesAsTheColourWheelSays) {
    CHsv red = RgbToHsv(kRed);
    EXPECT_DOUBLE_EQ(red.h, 0);
    EXPECT_DOUBLE_EQ(red.s, 1);
    EXPECT_DOUBLE_EQ(red.v, 255);
    EXPECT_DOUBLE_EQ(RgbToHsv(kBlue).h, 240);
    EXPECT_DOUBLE_EQ(RgbToHsv(0x00FF00FF).h, 300);
    CHsv grey = RgbToHsv(0x00808080);
    EXPECT_EQ(grey.h, -1);
    EXPECT_EQ(grey.s, 0);
    EXPECT_EQ(RgbToHsv(0).s, 0);
    for (COLORREF c : {kRed, kGreen, kBlue, 0x00336699u, 0x00808080u, 0x00FFFFFFu, 0u}) {
        EXPECT_EQ(HsvToRgb(RgbToHsv(c)), c) << std::hex << c;
    }
    // A grey start takes the end's hue throughout.
    COLORREF mid = Interpolate(RgbToHsv(0x00FFFFFF), RgbToHsv(kRed), 0.5);
    EXPECT_EQ(mid, MakeRgb(255, 128, 128));
    // Hue 350 to 30 goes forwards through 0, never back through 180.
    CHsv from{350, 1, 255};
    CHsv to{30, 1, 255};
    CHsv back = RgbToHsv(Interpolate(from, to, 0.25));
    EXPECT_NEAR(back.h, 0, 1.0);
}

TEST(CircleExtent, RoundsTheScaleAndAddsWidthAndMargin) {
    CCPCircleArray array;
    array.m_outer.m_thickness = 2;
    EXPECT_EQ(array.GetExtent(200.4), (IntRect{-207, -207, 207, 207}));
    EXPECT_EQ(array.GetExtent(200.5).right, 208);
    array.m_outer.m_thickness = 1;
    EXPECT_EQ(array.GetExtent(100).Width(), 212);
}
