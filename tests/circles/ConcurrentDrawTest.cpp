// Drawing only reads the circles: two threads draw the same array (the bitmap export does so
// while the view paints) while a third reads the styles, and every picture and every reading
// is what a single thread sees. Run under ThreadSanitizer this also shows that no drawing
// path writes to the circles.
#include "circles/DibBuffer.h"
#include "circles/DibSurface.h"
#include "support/CircleList.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

constexpr int kSide = 161;
constexpr double kScale = 75.0;

std::vector<std::uint8_t> Picture(const CCPCircleArray& circles, DrawMode mode) {
    CDibBuffer picture;
    EXPECT_TRUE(picture.Create(kSide, kSide));
    picture.Fill(0x00FFFFFF);
    CDibSurface surface(picture);
    surface.SetOrigin({kSide / 2, kSide / 2});
    circles.Draw(surface, kScale, mode, 0x00C0C0C0);
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < kSide; ++y) {
        bytes.insert(bytes.end(), picture.Row(y), picture.Row(y) + kSide * 3);
    }
    return bytes;
}

int SelectedCount(const CCPCircleArray& circles) {
    int count = 0;
    for (int i = -1; i < circles.GetCount(); ++i) {
        count += circles.GetAt(i)->m_selected;
    }
    return count;
}

// A ring of small circles of mixed widths (some negative), every third one selected, with
// the outer circle selected: the hatch then runs around the unselected circles.
void Fill(CircleList& list) {
    list.array.m_outer.m_selected = 1;
    for (int i = 0; i < 60; ++i) {
        const double angle = i * 0.1047;
        const double r = 0.3 + 0.01 * (i % 40);
        CCPCircle& c = list.Add(r * std::cos(angle), r * std::sin(angle), 0.08, i % 5 - 1,
                                COLORREF(i * 0x030507), COLORREF(0x00FFFFFF - i * 0x010203));
        c.m_selected = i % 3 == 0 ? 1 : 0;
    }
}

} // namespace

TEST(ConcurrentDraw, TwoThreadsDrawWhileAThirdReadsTheStyles) {
    CircleList list;
    Fill(list);
    const CCPCircleArray& circles = list.array;
    const DrawMode modes[] = {DrawSelection, DrawNormal, DrawPlain, DrawBack};
    std::vector<std::vector<std::uint8_t>> expected;
    for (DrawMode mode : modes) {
        expected.push_back(Picture(circles, mode));
    }
    CCPCircle expectedStyle;
    const int expectedFlags = circles.GetCommonStyle(expectedStyle);
    const int expectedSelected = SelectedCount(circles);

    std::atomic<int> drawMismatches{0};
    std::atomic<bool> drawing{true};
    auto draw = [&] {
        for (int round = 0; round < 6; ++round) {
            for (std::size_t m = 0; m < std::size(modes); ++m) {
                if (Picture(circles, modes[m]) != expected[m]) {
                    ++drawMismatches;
                }
            }
        }
    };
    int readMismatches = 0;
    int reads = 0;
    std::thread reader([&] {
        // At least one reading even if both drawers are done before this thread starts.
        do {
            CCPCircle style;
            const int flags = circles.GetCommonStyle(style);
            if (flags != expectedFlags || style.m_thickness != expectedStyle.m_thickness ||
                style.m_innerCol != expectedStyle.m_innerCol ||
                SelectedCount(circles) != expectedSelected) {
                ++readMismatches;
            }
            ++reads;
        } while (drawing.load());
    });
    std::thread first(draw);
    std::thread second(draw);
    first.join();
    second.join();
    drawing = false;
    reader.join();

    EXPECT_EQ(drawMismatches.load(), 0);
    EXPECT_EQ(readMismatches, 0) << "of " << reads << " readings";
    EXPECT_EQ(circles.GetAt(0)->m_thickness, -1); // drawing left the negative width alone
}
