// The view transform: screen and document points round trip, zoom keeps the point under the
// pointer, limits hold, and hostile numbers change nothing.
#include "geometry/ViewTransform.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(ViewTransform, ZoomKeepsThePointerPointAndRoundTrips) {
    CViewTransform t;
    EXPECT_TRUE(t.IsIdentity());
    const CDPoint pointer(120, -45);
    const CDPoint under = t.ToDocument(pointer);
    t.ZoomAbout(pointer, 3.0);
    EXPECT_DOUBLE_EQ(t.Zoom(), 3.0);
    EXPECT_FALSE(t.IsIdentity());
    // The pan is whole pixels, so the point stays within half a pixel of the pointer.
    const CDPoint back = t.ToScreen(under);
    EXPECT_LE(std::abs(back.x - pointer.x), 0.5);
    EXPECT_LE(std::abs(back.y - pointer.y), 0.5);
    EXPECT_EQ(t.Pan().x, std::round(t.Pan().x));
    const CDPoint p(17.25, -3.5);
    const CDPoint q = t.ToDocument(t.ToScreen(p));
    EXPECT_DOUBLE_EQ(q.x, p.x);
    EXPECT_DOUBLE_EQ(q.y, p.y);
    EXPECT_DOUBLE_EQ(t.PixelSize(), 1.0 / 3.0);
    t.Reset();
    EXPECT_TRUE(t.IsIdentity());
}

TEST(ViewTransform, LimitsAndHostileNumbers) {
    CViewTransform t;
    t.ZoomAbout({0, 0}, 1e9);
    EXPECT_EQ(t.Zoom(), CViewTransform::kMaxZoom);
    t.ZoomAbout({0, 0}, 1e-12);
    EXPECT_EQ(t.Zoom(), CViewTransform::kMinZoom);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, 0.0, -2.0}) {
        t.ZoomAbout({5, 5}, bad);
        EXPECT_EQ(t.Zoom(), CViewTransform::kMinZoom);
    }
    t.PanBy({nan, 3});
    t.PanBy({inf, 3});
    EXPECT_TRUE(t.Pan() == CDPoint());
    // The pan keeps the window's centre within reach of the origin, at any zoom.
    t.ZoomAbout({0, 0}, 16.0);
    t.PanBy({1e6, -1e6});
    t.ClampPan(100.0);
    EXPECT_DOUBLE_EQ(t.Pan().x, 100.0 * t.Zoom());
    EXPECT_DOUBLE_EQ(t.Pan().y, -100.0 * t.Zoom());
    t.ClampPan(nan);
    EXPECT_TRUE(t.Pan() == CDPoint());
}

TEST(ViewTransform, WindowCullsOnlyWhatLiesWhollyOutside) {
    CViewTransform t;
    // Without a window everything shows (pictures for files and printing).
    EXPECT_TRUE(t.Shows({1e12, 1e12}, {1e12, 1e12}, 0));
    t.SetWindow(100, 50);
    EXPECT_TRUE(t.Shows({-10, -10}, {10, 10}, 0));
    EXPECT_TRUE(t.Shows({-300, -10}, {-99, 10}, 0));
    EXPECT_FALSE(t.Shows({-300, -10}, {-102, 10}, 0));
    EXPECT_TRUE(t.Shows({-300, -10}, {-102, 10}, 3));
    EXPECT_FALSE(t.Shows({0, 51}, {0, 80}, 0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(t.Shows({nan, 0}, {nan, 0}, 0));
}
