// The state rules every drawing surface shares: saved states nest, a restore returns to its
// save and tells the backend, and a restore without a save is a caller's fault.
#include "RecordingSurface.h"

#include <gtest/gtest.h>

TEST(DrawSurface, RestoresReturnToTheirSavesInNestedOrder) {
    CRecordingSurface s;
    const SurfaceState initial = s.State();
    s.SaveState();
    s.SelectPen(SurfacePen::Solid(3, 0x0000FF));
    const SurfaceState outer = s.State();
    s.SaveState();
    s.SelectBrush(SurfaceBrush::CrossHatch(0x00FF00));
    s.SetRasterOp(RasterOp::XorPen);
    s.SetOrigin({4, 5});
    s.RestoreState();
    EXPECT_EQ(s.State(), outer);
    s.RestoreState();
    EXPECT_EQ(s.State(), initial);
    // The backend hears of each restore and of the state it returns to.
    ASSERT_GE(s.calls.size(), 2u);
    EXPECT_EQ(s.calls[s.calls.size() - 2], "restore");
    EXPECT_EQ(s.calls.back(), "state " + CRecordingSurface::Describe(initial));
}

#ifndef NDEBUG
TEST(DrawSurfaceDeathTest, ARestoreWithoutASaveStopsADebugBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CRecordingSurface s;
            s.SaveState();
            s.RestoreState();
            s.RestoreState();
        },
        "RestoreState without a matching SaveState");
}
#endif

TEST(DrawSurface, TheVisibleAreaCullsOnlyWhatLiesWhollyOutside) {
    CRecordingSurface s;
    // Without a visible area nothing is culled, however far away.
    EXPECT_TRUE(s.IsVisible({INT32_MAX - 2, 0, INT32_MAX - 1, 1}, 0));
    s.SetVisibleArea({0, 0, 100, 50});
    s.SetOrigin({50, 25});
    EXPECT_TRUE(s.IsVisible({-10, -10, 10, 10}, 0));
    EXPECT_FALSE(s.IsVisible({-80, -10, -60, 10}, 0));
    // A wide pen reaches into the area from outside it.
    EXPECT_TRUE(s.IsVisible({-80, -10, -60, 10}, 20));
    // No overflow at the ends of the range.
    EXPECT_FALSE(s.IsVisible({INT32_MIN, INT32_MIN, INT32_MIN + 1, INT32_MIN + 1}, 0));
    EXPECT_TRUE(s.IsVisible({INT32_MIN, INT32_MIN, INT32_MIN + 1, INT32_MIN + 1}, INT32_MAX));
    EXPECT_TRUE(s.IsVisible({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0));
}
