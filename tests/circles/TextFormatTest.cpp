// Text export templates.
#include "circles/TextFormat.h"

#include <clocale>
#include <gtest/gtest.h>
#include <locale>

TEST(TextFormat, WorkedLines) {
    CircleTextValues v{50, -25, 10, 2, MakeRgb(255, 128, 0), 0};
    EXPECT_EQ(ExpandTextFormat("%X, %Y, %R", v), "50.000000, -25.000000, 10.000000");
    EXPECT_EQ(ExpandTextFormat("%HIR%HIG%HIB %T", v), "ff8000 2");
    EXPECT_EQ(ExpandTextFormat("%IR %IG %IB|%FIR %FIG|%LR-%HLG-%FLB", v),
              "255 128 0|1.000000 0.501961|0-00-0.000000");
    EXPECT_EQ(
        ExpandTextFormat("%HIB|%HLR", CircleTextValues{0, 0, 0, 0, MakeRgb(0, 0, 0xf), 0x1ff}),
        "0f|ff");
    EXPECT_EQ(ExpandTextFormat("%FIG", v), "0.501961");
    EXPECT_EQ(ExpandTextFormat("", v), "");
    EXPECT_EQ(ExpandTextFormat("plain text", v), "plain text");
}

TEST(TextFormat, EscapesAndUnknownTokens) {
    CircleTextValues v{1, 2, 3, -4, 0, 0};
    EXPECT_EQ(ExpandTextFormat("%P %%", v), "% %");
    EXPECT_EQ(ExpandTextFormat("%%X", v), "%X");
    EXPECT_EQ(ExpandTextFormat("%%%X", v), "%1.000000");
    EXPECT_EQ(ExpandTextFormat("%x %Z %F %H %", v), "%x %Z %F %H %");
    EXPECT_EQ(ExpandTextFormat("%T", v), "-4");
    EXPECT_EQ(ExpandTextFormat("%%IR%IR", v), "%IR0");
}

TEST(TextFormat, HugeValuesNeedNoFixedBuffer) {
    CircleTextValues v{1e300, -1e300, 1e308, 0, 0, 0};
    std::string line = ExpandTextFormat("%X %Y %R", v);
    EXPECT_EQ(line.size(), 308u + 1 + 309u + 1 + 316u);
    EXPECT_EQ(line.substr(0, 4), "1000");
}

TEST(TextFormat, NumbersIgnoreTheUserLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (make test generates it)";
    }
    std::locale::global(std::locale("de_DE.UTF-8"));
    CircleTextValues v{0.5, -0.25, 1234567.125, 1, MakeRgb(128, 0, 0), 0};
    std::string line = ExpandTextFormat("%X;%Y;%R;%FIR", v);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(line, "0.500000;-0.250000;1234567.125000;0.501961");
}
