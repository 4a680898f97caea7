// Bitmap and metafile export: picture sizes, origin, plain and antialiased pixels, the
// recorded metafile, refusals and failures.
#include "EmfReader.h"
#include "WriterTestSupport.h"
#include "circles/DibBuffer.h"
#include "export/BitmapPicture.h"
#include "export/Export.h"
#include "support/CircleList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

// The colour of picture pixel (x, y), y = 0 at the top, of a 24-bit bottom-up BMP file.
COLORREF BmpPixel(const std::string& file, int x, int y) {
    int width = int(Le32(file, 18)), height = int(Le32(file, 22));
    std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::size_t at = 54 + std::size_t(height - 1 - y) * stride + 3 * std::size_t(x);
    return MakeRgb(std::uint8_t(file[at + 2]), std::uint8_t(file[at + 1]), std::uint8_t(file[at]));
}

void Outer(CircleList& list, int thickness) {
    list.array.m_outer.m_thickness = thickness;
    list.array.m_outer.m_lineCol = 0;
    list.array.m_outer.m_innerCol = 0x00FFFFFF;
}

} // namespace

TEST(BitmapExport, PictureSizeAndFileLength) {
    TempDir dir;
    CircleList list;
    Outer(list, 1);
    for (bool antialias : {false, true}) {
        std::string path = dir.File(antialias ? "aa.bmp" : "plain.bmp");
        ASSERT_EQ(ExportBitmap(list.array, {100, antialias, 0x00FF0000}, path), ExportStatus::Ok);
        std::string file = ReadText(path);
        ASSERT_EQ(file.size(), 134886u);
        EXPECT_EQ(Le32(file, 18), 212u);
        EXPECT_EQ(Le32(file, 22), 212u);
        EXPECT_EQ(BmpPixel(file, 0, 0), 0x00FF0000u);     // background in the margin
        EXPECT_EQ(BmpPixel(file, 106, 106), 0x00FFFFFFu); // the outer circle's inside
        COLORREF line = BmpPixel(file, 106, 6);           // its line at the top, y = -100
        if (antialias) {                                  // the line straddles pixels: nearly black
            EXPECT_LT(GetRValue(line) + GetGValue(line) + GetBValue(line), 64u);
        } else {
            EXPECT_EQ(line, 0u);
        }
    }
    Outer(list, 0);
    ASSERT_EQ(ExportBitmap(list.array, {1, false, 0}, dir.File("small.bmp")), ExportStatus::Ok);
    std::string small = ReadText(dir.File("small.bmp"));
    EXPECT_EQ(Le32(small, 18), 12u);
    EXPECT_EQ(Le32(small, 22), 12u);
}

TEST(BitmapExport, AntialiasedPixelsAreTheRasterisedCirclesOverTheBackground) {
    TempDir dir;
    CircleList list;
    Outer(list, 2);
    list.Add(0.4, -0.3, 0.35, 3, 0x000000FF, 0x0000FF00);
    ASSERT_EQ(ExportBitmap(list.array, {40, true, 0x00204060}, dir.File("a.bmp")),
              ExportStatus::Ok);
    std::string file = ReadText(dir.File("a.bmp"));
    CDibBuffer expected;
    ASSERT_TRUE(expected.Create(94, 94));
    expected.Fill(0x00204060);
    expected.SetOutsideColor(0x00204060);
    expected.SetOrigin(47, 47);
    list.array.DrawAntialiased(expected, 40);
    for (int y = 0; y < 94; ++y) {
        for (int x = 0; x < 94; ++x) {
            ASSERT_EQ(BmpPixel(file, x, y), expected.GetPixel(x - 47, y - 47)) << x << ',' << y;
        }
    }
}

TEST(BitmapExport, APlainPainterGetsThePictureWithTheBackgroundAndTheOrigin) {
    TempDir dir;
    CircleList list;
    Outer(list, 1);
    int calls = 0;
    PlainPainter painter = [&](CDibBuffer& picture, const std::function<void(CDrawSurface&)>&) {
        ++calls;
        EXPECT_EQ(picture.Width(), 212);
        EXPECT_EQ(picture.GetPixel(5, 5), 0x00010203u);
        picture.SetPixel(0, 0, 0x00ABCDEF);
    };
    ASSERT_EQ(ExportBitmap(list.array, {100, false, 0x00010203}, dir.File("p.bmp"), painter),
              ExportStatus::Ok);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(BmpPixel(ReadText(dir.File("p.bmp")), 0, 0), 0x00ABCDEFu);
}

// The largest radius a bitmap setup offers is the last one whose picture stays within the
// limit, for any outer line width.
TEST(BitmapExport, LargestRadiusIsTheLastThatFits) {
    for (int thickness : {0, 1, 1000}) {
        CircleList list;
        Outer(list, thickness);
        const int largest = LargestBitmapRadius(list.array);
        const auto side = [&list](int radius) {
            return std::int64_t{list.array.GetExtent(radius).right} * 2;
        };
        EXPECT_TRUE(CDibBuffer::WithinLimit(side(largest), side(largest))) << thickness;
        EXPECT_FALSE(CDibBuffer::WithinLimit(side(largest + 1), side(largest + 1))) << thickness;
        // 26,754 pixels square at most: half of that, less the line and the margin.
        EXPECT_NEAR(largest, 13377 - thickness - CCPCircleArray::ExtentMargin, 1) << thickness;
    }
    // An outer line wider than any picture: no radius fits.
    CircleList wide;
    Outer(wide, 65535);
    EXPECT_EQ(LargestBitmapRadius(wide.array), 0);
}

TEST(BitmapExport, RefusalsAndFailuresLeaveNoFile) {
    TempDir dir;
    CircleList list;
    Outer(list, 1);
    EXPECT_EQ(ExportBitmap(list.array, {2147483647.0, false, 0}, dir.File("huge.bmp")),
              ExportStatus::PictureTooLarge); // wider than 2^31 pixels
    EXPECT_EQ(ExportBitmap(list.array, {1073741000.0, false, 0}, dir.File("wide.bmp")),
              ExportStatus::BitmapTooLarge); // 2^31 pixels wide fit the header, not the memory
    EXPECT_EQ(ExportBitmap(list.array, {40000, true, 0}, dir.File("big.bmp")),
              ExportStatus::BitmapTooLarge); // 80 010 pixels square: 19 GB
    EXPECT_EQ(ExportBitmap(list.array, {10, false, 0}, dir.File("no/a.bmp")),
              ExportStatus::CannotOpen);
    EXPECT_EQ(ExportBitmap(list.array, {10, false, 0}, "/dev/full"), ExportStatus::WriteFailed);
    EXPECT_TRUE(dir.Names().empty());
}

TEST(EmfExport, RecordedPictureBoundsDescriptionAndRecords) {
    TempDir dir;
    CircleList list;
    Outer(list, 1);
    list.Add(0.5, 0, 0.25, 0, 0, 0x000000FF);
    ASSERT_EQ(ExportEmf(list.array, 100, dir.File("a.emf")), ExportStatus::Ok);
    EmfFile f = ReadEmf(ReadBytes(dir.File("a.emf")));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(std::vector<std::int32_t>(f.bounds, f.bounds + 4),
              (std::vector<std::int32_t>{-106, -106, 106, 106}));
    using namespace std::string_literals;
    EXPECT_EQ(f.description, u"Tessel\0a.emf\0\0"s);
    std::vector<std::uint32_t> types;
    std::vector<std::vector<std::int32_t>> ellipses;
    for (const EmfRecord& r : f.body) {
        types.push_back(r.type);
        if (r.type == 42) {
            ellipses.push_back(r.params);
        }
    }
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(std::vector<std::uint32_t>(types.begin(), types.begin() + 3),
              (std::vector<std::uint32_t>{20, 15, 15})); // no-op operation, the two pixels
    EXPECT_EQ(ellipses,
              (std::vector<std::vector<std::int32_t>>{{-100, -100, 101, 101}, {25, -25, 76, 26}}));
    EXPECT_EQ(types.back(), 14u);
}

TEST(EmfExport, TitlesAndRefusals) {
    CircleList list;
    Outer(list, 1);
    std::vector<std::uint8_t> bytes;
    using namespace std::string_literals;
    ASSERT_EQ(RecordEmf(list.array, 50.4, "", bytes), ExportStatus::Ok);
    EmfFile empty = ReadEmf(bytes);
    EXPECT_EQ(empty.description, u"Tessel\0NoTitle\0\0"s);
    EXPECT_EQ(empty.bounds[2], 56); // 50 + 1 + 5: only the extent rounds the radius
    ASSERT_EQ(RecordEmf(list.array, 10, "\xE5\x86\x86 \xF0\x9F\x98\x80 \xFF", bytes),
              ExportStatus::Ok);
    EXPECT_EQ(ReadEmf(bytes).description, u"Tessel\0\u5186 \U0001F600 \uFFFD\0\0"s);

    TempDir dir;
    EXPECT_EQ(ExportEmf(list.array, 1e9, dir.File("huge.emf")), ExportStatus::MetafileTooLarge);
    EXPECT_EQ(ExportEmf(list.array, 10, dir.File("no/a.emf")), ExportStatus::CannotOpen);
    EXPECT_EQ(ExportEmf(list.array, 10, "/dev/full"), ExportStatus::WriteFailed);
    EXPECT_TRUE(dir.Names().empty());
}
