// The pixel buffer: layout, origin, outside colour, size limits and the BMP file.
#include "circles/DibBuffer.h"

#include "support/TempDir.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

std::uint32_t Le32(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8 | std::uint8_t(b[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

} // namespace

TEST(DibBuffer, StrideRoundsRowsUpToFourBytes) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(12, 3));
    EXPECT_EQ(dib.Stride(), 36);
    ASSERT_TRUE(dib.Create(13, 3));
    EXPECT_EQ(dib.Stride(), 40);
    ASSERT_TRUE(dib.Create(212, 212));
    EXPECT_EQ(dib.Stride(), 636);
    EXPECT_EQ(Le32(std::string(dib.Header().begin(), dib.Header().end()), 20), 134832u);
}

TEST(DibBuffer, PixelsAreBottomUpBgrAndRespectTheOrigin) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(4, 3));
    dib.SetPixel(1, 0, 0x00336699);
    EXPECT_EQ(dib.GetPixel(1, 0), 0x00336699u);
    const std::uint8_t* top = dib.Row(0);
    EXPECT_EQ(top, dib.Row(2) + 2 * dib.Stride()); // the top row is stored last
    EXPECT_EQ(top[3], 0x33);
    EXPECT_EQ(top[4], 0x66);
    EXPECT_EQ(top[5], 0x99);
    dib.SetOrigin(2, 1);
    EXPECT_EQ(dib.GetPixel(-1, -1), 0x00336699u);
    dib.SetPixel(-2, 1, 0x00010203);
    EXPECT_EQ(dib.GetPixel(-2, 1), 0x00010203u);
    EXPECT_EQ(dib.Row(2)[0], 0x01); // blue first
}

TEST(DibBuffer, OutsideReadsTheOutsideColourAndWritesAreDropped) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(2, 2));
    dib.SetOutsideColor(0x00123456);
    for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}, {INT32_MIN, INT32_MAX}}) {
        EXPECT_EQ(dib.GetPixel(x, y), 0x00123456u);
        dib.SetPixel(x, y, 0x00FFFFFF);
    }
    dib.SetOrigin(INT32_MAX, INT32_MAX); // the sum must not wrap round into the picture
    EXPECT_EQ(dib.GetPixel(INT32_MAX, INT32_MAX), 0x00123456u);
    dib.SetOrigin(0, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(dib.GetPixel(x, y), 0u);
        }
    }
}

TEST(DibBuffer, CreateRefusesEmptyAndOversizedPictures) {
    CDibBuffer dib;
    EXPECT_FALSE(dib.Create(0, 10));
    EXPECT_FALSE(dib.Create(10, -1));
    EXPECT_FALSE(dib.Create(2147483647, 2147483647));
    EXPECT_FALSE(dib.Create(30000, 30000)); // 2.7 GB
    EXPECT_FALSE(dib.HasBitmap());
    ASSERT_TRUE(dib.Create(5, 5));
    EXPECT_FALSE(dib.Create(1 << 20, 1 << 20));
    EXPECT_FALSE(dib.HasBitmap()); // the earlier picture is released too
}

TEST(DibBuffer, FillSpanClipsAndFillsExactly) {
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(9, 1));
    dib.FillSpan(0, -3, 7, 0x00AABBCC);
    dib.FillSpan(5, 0, 9, 0x00FFFFFF); // no such row
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(dib.GetPixel(x, 0), x < 7 ? 0x00AABBCCu : 0u) << x;
    }
    EXPECT_EQ(dib.Row(0)[27], 0); // row padding untouched
}

// Greys are set by memset, over the whole picture when its rows have no padding: every pixel
// takes the colour, the padding stays zero, and colours of unequal channels still work.
TEST(DibBuffer, FillSetsEveryPixelAndLeavesThePadding) {
    for (int width : {4, 5}) { // rows of 12 bytes, and of 15 padded to 16
        for (COLORREF color : {0x00FFFFFFu, 0x00404040u, 0x00102030u}) {
            CDibBuffer dib;
            ASSERT_TRUE(dib.Create(width, 3));
            dib.Fill(color);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    ASSERT_EQ(dib.GetPixel(x, y), color) << width << ' ' << x << ' ' << y;
                }
                if (width == 5) {
                    EXPECT_EQ(dib.Row(y)[15], 0);
                }
            }
        }
    }
}

TEST(DibBuffer, SaveBmpWritesHeadersAndRows) {
    TempDir dir;
    CDibBuffer dib;
    ASSERT_TRUE(dib.Create(212, 212));
    dib.Fill(0x00FFFFFF);
    dib.SetPixel(0, 211, 0x00336699); // bottom row: the first stored
    std::string path = dir.File("a.bmp");
    ASSERT_EQ(dib.SaveBmp(path), FileStatus::Ok);
    std::string bytes = ReadText(path);
    ASSERT_EQ(bytes.size(), 134886u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), 134886u);
    EXPECT_EQ(Le32(bytes, 6), 0u);
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 18), 212u);
    EXPECT_EQ(Le32(bytes, 22), 212u);
    EXPECT_EQ(Le32(bytes, 26), 1u | 24u << 16);
    EXPECT_EQ(Le32(bytes, 30), 0u);
    EXPECT_EQ(Le32(bytes, 34), 134832u);
    EXPECT_EQ(std::uint8_t(bytes[54]), 0x33);
    EXPECT_EQ(std::uint8_t(bytes[56]), 0x99);
}

TEST(DibBuffer, SaveBmpReportsFailuresAndLeavesNoFile) {
    TempDir dir;
    CDibBuffer dib;
    EXPECT_EQ(dib.SaveBmp(dir.File("none.bmp")), FileStatus::NothingToWrite);
    EXPECT_FALSE(dir.Exists("none.bmp"));
    ASSERT_TRUE(dib.Create(64, 64));
    EXPECT_EQ(dib.SaveBmp(dir.File("missing/a.bmp")), FileStatus::CannotOpen);
    EXPECT_EQ(dib.SaveBmp("/dev/full"), FileStatus::WriteFailed);
    {
        FileSizeLimit limit(1000);
        EXPECT_EQ(dib.SaveBmp(dir.File("big.bmp")), FileStatus::WriteFailed);
    }
    EXPECT_TRUE(dir.Names().empty()); // no partial file, no temporary left behind
}
