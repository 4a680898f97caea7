// The metafile recorder: record sequence, object handles, bounds, frame and header.
#include "export/EmfSurface.h"

#include "EmfReader.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using namespace std::string_literals;
const std::u16string kDescription = u"Tessel\0a.emf\0\0"s;

EmfFile Finish(CEmfSurface& s) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(s.Finish(kDescription, bytes));
    return ReadEmf(bytes);
}

std::vector<std::uint32_t> Types(const EmfFile& f) {
    std::vector<std::uint32_t> types;
    for (const EmfRecord& r : f.body) {
        types.push_back(r.type);
    }
    return types;
}

} // namespace

TEST(EmfSurface, AnEmptyRecordingIsAValidFile) {
    CEmfSurface s;
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(Types(f), std::vector<std::uint32_t>{14});
    EXPECT_EQ(f.records, 2u);
    EXPECT_EQ(f.bounds[2], -1); // empty bounds
    EXPECT_EQ(f.description, kDescription);
    EXPECT_EQ(f.description.size(), 14u);
    EXPECT_EQ(f.device[0], 1920u);
    EXPECT_EQ(f.millimeters[0], 508u);
    EXPECT_EQ(f.millimeters[1], 286u);
}

TEST(EmfSurface, ACircleInASavedStateCreatesSelectsDrawsAndDeletes) {
    CEmfSurface s;
    s.SaveState();
    s.SelectPen(SurfacePen::Solid(3, 0x000000FF));
    s.SelectBrush(SurfaceBrush::Solid(0x00FFFFFF));
    s.Ellipse({8, 18, 15, 25});
    s.RestoreState();
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    // save, create pen, select, create brush, select, ellipse, restore, delete x2, eof
    EXPECT_EQ(Types(f), (std::vector<std::uint32_t>{33, 38, 37, 39, 37, 42, 34, 40, 40, 14}));
    EXPECT_EQ(f.body[1].params, (std::vector<std::int32_t>{1, 0, 3, 0, 0xFF}));
    EXPECT_EQ(f.body[3].params, (std::vector<std::int32_t>{2, 0, 0xFFFFFF, 0}));
    EXPECT_EQ(f.body[5].params, (std::vector<std::int32_t>{8, 18, 15, 25}));
    EXPECT_EQ(f.body[6].params, std::vector<std::int32_t>{-1});
    EXPECT_EQ(f.handles, 3); // two objects and the reserved index 0
    EXPECT_EQ(std::vector<std::int32_t>(f.bounds, f.bounds + 4),
              (std::vector<std::int32_t>{7, 17, 15, 25})); // widened by the pen
}

TEST(EmfSurface, NullObjectsAreStockAndHandlesAreReused) {
    CEmfSurface s;
    for (int i = 0; i < 3; ++i) {
        s.SaveState();
        s.SelectPen(SurfacePen::Null());
        s.SelectBrush(SurfaceBrush::CrossHatch(0x7FBFFF));
        s.SetTransparentBackground(true);
        s.SetRasterOp(RasterOp::XorPen);
        s.Ellipse({0, 0, 10, 10});
        s.RestoreState();
    }
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.handles, 2);
    std::map<std::uint32_t, int> count;
    for (const EmfRecord& r : f.body) {
        ++count[r.type];
        if (r.type == 37 && r.params[0] < 0) {
            EXPECT_EQ(std::uint32_t(r.params[0]), 0x80000008u); // NULL_PEN
        }
        if (r.type == 39) {
            EXPECT_EQ(r.params, (std::vector<std::int32_t>{1, 2, 0x7FBFFF, 5}));
        }
        if (r.type == 18) {
            EXPECT_EQ(r.params[0], 1); // transparent
        }
        if (r.type == 20) {
            EXPECT_EQ(r.params[0], 7); // XOR pen
        }
    }
    EXPECT_EQ(count[39], 3);
    EXPECT_EQ(count[40], 3);
    EXPECT_EQ(count[42], 3);
}

TEST(EmfSurface, ReplacedObjectsAreDeletedOnlyAtTheirOwnLevel) {
    CEmfSurface s;
    s.SelectPen(SurfacePen::Null());       // a stock object: no handle
    s.SelectBrush(SurfaceBrush::Solid(1)); // level 0: handle 1
    s.Ellipse({0, 0, 2, 2});
    s.SaveState();
    s.SelectBrush(SurfaceBrush::Solid(2)); // level 1: handle 2; handle 1 stays for level 0
    s.Ellipse({0, 0, 2, 2});
    s.SelectBrush(SurfaceBrush::Solid(3)); // made as handle 3 before handle 2 is let go
    s.Ellipse({0, 0, 2, 2});
    s.RestoreState();
    s.SelectBrush(SurfaceBrush::Solid(4)); // replaces handle 1, which is then deleted
    s.Ellipse({0, 0, 2, 2});
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    std::vector<std::int32_t> deleted;
    for (const EmfRecord& r : f.body) {
        if (r.type == 40) {
            deleted.push_back(r.params[0]);
        }
    }
    EXPECT_EQ(deleted, (std::vector<std::int32_t>{2, 3, 1}));
}

TEST(EmfSurface, InvisiblePixelsSetTheBoundsAndTheFrame) {
    CEmfSurface s;
    s.SetRasterOp(RasterOp::NoOp);
    s.SetPixel({-106, -106}, 0);
    s.SetPixel({106, 106}, 0);
    s.SetRasterOp(RasterOp::CopyPen);
    s.Ellipse({-100, -100, 101, 101});
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    // The first ellipse selects a pen and a brush of its own, even the default ones.
    EXPECT_EQ(Types(f), (std::vector<std::uint32_t>{20, 15, 15, 38, 37, 39, 37, 20, 42, 14}));
    EXPECT_EQ(f.body[0].params[0], 11); // R2_NOP
    EXPECT_EQ(std::vector<std::int32_t>(f.bounds, f.bounds + 4),
              (std::vector<std::int32_t>{-106, -106, 106, 106}));
    // 96 pixels to the inch: -106 px = -2804.6 -> -2805; pixel 106 ends at 107 px = 2831.04.
    EXPECT_EQ(std::vector<std::int32_t>(f.frame, f.frame + 4),
              (std::vector<std::int32_t>{-2805, -2805, 2830, 2830}));
}

TEST(EmfSurface, OriginLinesAndFills) {
    CEmfSurface s;
    s.SetOrigin({50, 60});
    s.Line({0, 0}, {10, 5});
    s.FillRect({1, 2, 3, 4}, 0x123456);
    EmfFile f = Finish(s);
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(Types(f),
              (std::vector<std::uint32_t>{38, 37, 12, 27, 54, 33, 37, 39, 37, 43, 34, 40, 14}));
    EXPECT_EQ(f.body[2].params, (std::vector<std::int32_t>{50, 60}));
    EXPECT_EQ(f.body[9].params, (std::vector<std::int32_t>{1, 2, 4, 5}));
    EXPECT_EQ(std::vector<std::int32_t>(f.bounds, f.bounds + 4),
              (std::vector<std::int32_t>{50, 60, 60, 65}));
}

TEST(EmfSurface, DrawingBeyondThirtyTwoBitFramesIsRefused) {
    CEmfSurface s;
    s.SetPixel({int(CEmfSurface::kMaxCoordinate) + 1, 0}, 0);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(s.Finish(u"x", bytes));
    EXPECT_TRUE(bytes.empty());
    CEmfSurface ok;
    ok.SetPixel({-int(CEmfSurface::kMaxCoordinate) + 1, 0}, 0);
    ok.SetPixel({int(CEmfSurface::kMaxCoordinate) - 1, 0}, 0);
    EXPECT_TRUE(ok.Finish(u"x", bytes));
    EXPECT_EQ(ReadEmf(bytes).error, "");
}
