// The hit square of nodes and how nodes and edges draw themselves.
#include "circles/DrawSurface.h"
#include "model/CPEdge.h"
#include "model/CPEdgeArray.h"
#include "model/CPNode.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Keeps what was filled and drawn, with the pen each line was drawn with.
class CRecordingSurface : public CDrawSurface {
public:
    struct Fill {
        IntRect rect;
        COLORREF color;
    };
    struct Stroke {
        IntPoint from;
        IntPoint to;
        SurfacePen pen;
    };
    std::vector<Fill> fills;
    std::vector<Stroke> lines;

protected:
    void DoEllipse(const IntRect&, const SurfaceState&) override {}
    void DoLine(IntPoint from, IntPoint to, const SurfaceState& state) override {
        lines.push_back({from, to, state.pen});
    }
    void DoFillRect(const IntRect& rect, COLORREF color, const SurfaceState&) override {
        fills.push_back({rect, color});
    }
    void DoSetPixel(IntPoint, COLORREF, const SurfaceState&) override {}
};

class ModelSettings : public ::testing::Test {
protected:
    void TearDown() override {
        CHotSpot::ResetDefaults();
        CCPNode::ResetDefaults();
        CCPEdge::ResetDefaults();
    }
};

} // namespace

TEST_F(ModelSettings, HotSpotSquareIsStrictOnBothAxes) {
    CHotSpot spot(10, -20, 0);
    ASSERT_EQ(CHotSpot::m_size, 4);
    EXPECT_TRUE(spot.HitTest(CDPoint(10, -20)));
    EXPECT_FALSE(spot.HitTest(CDPoint(14, -20)));
    EXPECT_FALSE(spot.HitTest(CDPoint(6, -20)));
    EXPECT_FALSE(spot.HitTest(CDPoint(10, -16)));
    EXPECT_FALSE(spot.HitTest(CDPoint(10, -24)));
    EXPECT_TRUE(spot.HitTest(CDPoint(13.999, -23.999)));
    EXPECT_TRUE(spot.HitTest(IntPoint{13, -20}));
    EXPECT_TRUE(spot.HitTest(IntPoint{10, -17}));
    EXPECT_FALSE(spot.HitTest(IntPoint{13, -24}));
    CHotSpot::m_size = 10;
    EXPECT_TRUE(spot.HitTest(IntPoint{19, -11}));
}

TEST_F(ModelSettings, NodeSquareIsRoundedAndColouredByKind) {
    CCPNode node(10.5, -3.5, Inner, 0);
    CRecordingSurface dc;
    node.Draw(dc);
    node.m_kind = Outer;
    node.Draw(dc);
    node.m_kind = NotConnected;
    node.Draw(dc);
    CCPNode lit(-10.5, 3.49, Outer, 1);
    lit.Draw(dc);
    ASSERT_EQ(dc.fills.size(), 4u);
    EXPECT_EQ(dc.fills[0].rect, (IntRect{7, -8, 16, 1}));
    EXPECT_EQ(dc.fills[0].color, 0x00FFFF00u);
    EXPECT_EQ(dc.fills[1].color, 0x00FF00FFu);
    EXPECT_EQ(dc.fills[2].color, 0x0000FFFFu);
    EXPECT_EQ(dc.fills[3].rect, (IntRect{-15, -1, -6, 8}));
    EXPECT_EQ(dc.fills[3].color, 0x0000FF00u);
    node.DeleteCircle();
    lit.DeleteCircle();
}

TEST_F(ModelSettings, SettingsReturnToTheirBuiltInValues) {
    CHotSpot::m_size = 9;
    CCPNode::m_innerColor = CCPNode::m_outerColor = CCPNode::m_notConnectColor = 1;
    CCPNode::m_highlightColor = 1;
    CCPNode::m_threshold = 0.5;
    CCPEdge::m_innerColor = CCPEdge::m_outerColor = 7;
    CCPEdge::m_thickness = 5;
    CCPEdge::m_hit = 0.25;
    CHotSpot::ResetDefaults();
    CCPNode::ResetDefaults();
    CCPEdge::ResetDefaults();
    EXPECT_EQ(CHotSpot::m_size, 4);
    EXPECT_EQ(CCPNode::m_innerColor, 0x00FFFF00u);
    EXPECT_EQ(CCPNode::m_outerColor, 0x00FF00FFu);
    EXPECT_EQ(CCPNode::m_notConnectColor, 0x0000FFFFu);
    EXPECT_EQ(CCPNode::m_highlightColor, 0x0000FF00u);
    EXPECT_EQ(CCPNode::m_threshold, 0.0001);
    EXPECT_EQ(CCPEdge::m_innerColor, 0x00FF0000u);
    EXPECT_EQ(CCPEdge::m_outerColor, 0x000000FFu);
    EXPECT_EQ(CCPEdge::m_thickness, 1);
    EXPECT_EQ(CCPEdge::m_hit, 3.0);
}

TEST_F(ModelSettings, EdgeDrawsOneLineInThePenOfItsKindAndRestoresTheSurface) {
    CCPNode s(0.5, 0.5, Outer, 0);
    CCPNode t(-10.5, 20.49, Outer, 0);
    CCPEdge edge(&s, &t);
    CRecordingSurface dc;
    SurfaceState before = dc.State();
    CCPEdge::m_thickness = 3;
    edge.Draw(dc);
    edge.m_interior = 1;
    edge.Draw(dc);
    ASSERT_EQ(dc.lines.size(), 2u);
    EXPECT_EQ(dc.lines[0].from, (IntPoint{1, 1}));
    EXPECT_EQ(dc.lines[0].to, (IntPoint{-11, 20}));
    EXPECT_EQ(dc.lines[0].pen, SurfacePen::Solid(3, 0x000000FF));
    EXPECT_EQ(dc.lines[1].pen, SurfacePen::Solid(3, 0x00FF0000));
    EXPECT_EQ(dc.State(), before);
    CCPEdge loose;
    loose.Draw(dc);
    EXPECT_EQ(dc.lines.size(), 2u);
    s.DeleteCircle();
    t.DeleteCircle();
}

TEST_F(ModelSettings, SquaresAtTheEndOfThePixelRangeStayInRange) {
    CCPNode far(3e9, -3e9, Inner, 0);
    CRecordingSurface dc;
    far.Draw(dc);
    ASSERT_EQ(dc.fills.size(), 1u);
    EXPECT_EQ(dc.fills[0].rect.right, INT32_MAX);
    EXPECT_EQ(dc.fills[0].rect.top, INT32_MIN);
    far.DeleteCircle();
}

TEST_F(ModelSettings, ZoomedHitsAndDrawingKeepTheirSizeOnScreen) {
    CCPNode s(10, 0, Outer, 0);
    CCPNode t(10, 100, Outer, 0);
    CCPEdge edge(&s, &t);
    // At zoom 4 a screen pixel is a quarter unit: the square and the band shrink in the
    // document to keep their size on screen.
    const double pixel = 0.25;
    EXPECT_TRUE(s.HitTest(CDPoint(10.9, 0.9), pixel));
    EXPECT_FALSE(s.HitTest(CDPoint(11.0, 0), pixel));
    EXPECT_TRUE(edge.HitTest(CDPoint(10.75, 50), pixel));
    EXPECT_FALSE(edge.HitTest(CDPoint(10.76, 50), pixel));
    EXPECT_TRUE(edge.HitTest(CDPoint(12.9, 50)));

    CViewTransform view;
    view.ZoomAbout({0, 0}, 4.0);
    view.PanBy({-30, 5});
    view.SetWindow(50, 50);
    CRecordingSurface dc;
    s.Draw(dc, view);
    edge.Draw(dc, view);
    t.Draw(dc, view); // at (10, 405) on the screen: outside the window
    ASSERT_EQ(dc.fills.size(), 1u);
    EXPECT_EQ(dc.fills[0].rect, (IntRect{6, 1, 15, 10}));
    ASSERT_EQ(dc.lines.size(), 1u);
    EXPECT_EQ(dc.lines[0].from, (IntPoint{10, 5}));
    EXPECT_EQ(dc.lines[0].to, (IntPoint{10, 405}));
    s.DeleteCircle();
    t.DeleteCircle();
}

// The collection draws every edge in its own pen within one save/restore bracket. On a screen
// it skips an edge whose ends fall in one pixel, a line that would draw nothing; a file keeps
// every line.
TEST_F(ModelSettings, EdgeCollectionDrawsEachPenAndSkipsDotsOnlyOnAScreen) {
    CCPNode a(0, 0, Outer, 0);
    CCPNode b(20, 0, Outer, 0);
    CCPNode c(0.4, -0.3, Inner, 0);
    CCPNode d(0, 20, Outer, 0);
    CCPEdgeArray edges;
    edges.Add(new CCPEdge(&a, &b));
    edges.Add(new CCPEdge(&a, &c)); // a dot on the screen
    edges.Add(new CCPEdge(&c, &d));
    edges.Add(new CCPEdge(&d, &b));
    edges.m_array[1]->m_interior = 1;
    edges.m_array[2]->m_interior = 1;
    const SurfacePen outer = SurfacePen::Solid(1, CCPEdge::m_outerColor);
    const SurfacePen inner = SurfacePen::Solid(1, CCPEdge::m_innerColor);

    CRecordingSurface file;
    file.SelectPen(SurfacePen::Null());
    const SurfaceState before = file.State();
    edges.Draw(file);
    ASSERT_EQ(file.lines.size(), 4u);
    EXPECT_EQ(file.lines[0].pen, outer);
    EXPECT_EQ(file.lines[1].pen, inner);
    EXPECT_EQ(file.lines[1].from, file.lines[1].to);
    EXPECT_EQ(file.lines[2].pen, inner);
    EXPECT_EQ(file.lines[3].pen, outer);
    EXPECT_EQ(file.State(), before);

    CRecordingSurface screen;
    screen.SetVisibleArea({-100, -100, 100, 100});
    edges.Draw(screen);
    ASSERT_EQ(screen.lines.size(), 3u);
    EXPECT_EQ(screen.lines[0].pen, outer);
    EXPECT_EQ(screen.lines[1].pen, inner);
    EXPECT_EQ(screen.lines[1].from, (IntPoint{0, 0}));
    EXPECT_EQ(screen.lines[1].to, (IntPoint{0, 20}));
    EXPECT_EQ(screen.lines[2].pen, outer);
    EXPECT_EQ(screen.State(), SurfaceState{});
    for (CCPNode* node : {&a, &b, &c, &d}) {
        node->DeleteCircle();
    }
}

// On a screen, an edge inside the square of a node at one of its ends is skipped: the squares
// are drawn over the edges. Its pen's half-width and a pixel of rounding must fit in too.
TEST_F(ModelSettings, EdgesUnderAnEndSquareAreSkippedOnAScreen) {
    struct Case {
        CDPoint end;
        int thickness;
        int size;
        bool drawn;
    };
    const Case cases[] = {
        {{2, 2}, 1, 4, false},  {{-2, 1}, 0, 4, false}, {{3, 0}, 1, 4, true},
        {{0, -2}, 2, 4, false}, {{2, 0}, 3, 4, true},   {{1, 1}, 1, 1, true},
        {{1, 0}, 1, 0, true},   {{6, 6}, 9, 9, true},   {{3, 3}, 9, 9, false},
    };
    for (const Case& c : cases) {
        CCPEdge::m_thickness = c.thickness;
        CHotSpot::m_size = c.size;
        CCPNode a(10, 10, Outer, 0);
        CCPNode b(10 + c.end.x, 10 + c.end.y, Inner, 0);
        CCPEdge edge(&a, &b);
        CRecordingSurface screen;
        screen.SetVisibleArea({-100, -100, 100, 100});
        edge.Draw(screen);
        EXPECT_EQ(screen.lines.size(), c.drawn ? 1u : 0u)
            << c.end.x << ", " << c.end.y << " width " << c.thickness << " size " << c.size;
        CRecordingSurface file;
        edge.Draw(file);
        EXPECT_EQ(file.lines.size(), 1u);
        a.DeleteCircle();
        b.DeleteCircle();
    }
}
