// Number text against the C library in the C locale, and independence from the user's locale.
#include "geometry/NumberText.h"

#include <bit>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

std::string Printf(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

} // namespace

TEST(NumberText, FormatFixedMatchesPrintfInTheCLocale) {
    std::mt19937_64 random(12345);
    std::uniform_int_distribution<int> decimals(0, 14);
    for (int i = 0; i < 20000; ++i) {
        // Random bit patterns cover every exponent, denormals, infinities and NaNs.
        double value = std::bit_cast<double>(random());
        if (std::isnan(value)) {
            continue; // the sign of a NaN is printed differently by different C libraries
        }
        int d = decimals(random);
        ASSERT_EQ(FormatFixed(value, d), Printf(value, d)) << value;
    }
    for (double value : {0.5, 1.5, 2.5, -0.5, 0.125, 1e-7, 0.00001, 123456789.987654321, 1e300}) {
        for (int d : {0, 1, 2, 6, 12}) {
            EXPECT_EQ(FormatFixed(value, d), Printf(value, d));
        }
    }
}

TEST(NumberText, FormatFixedSignedZeroAndSpecialValues) {
    EXPECT_EQ(FormatFixed(-0.0, 6), "-0.000000");
    EXPECT_EQ(FormatFixed(-0.0000001, 6), "-0.000000");
    EXPECT_EQ(FormatFixed(0.00001, 12), "0.000010000000");
    EXPECT_EQ(FormatFixed(3.0, 6), "3.000000");
    EXPECT_EQ(FormatFixed(INFINITY, 6), "inf");
    EXPECT_EQ(FormatFixed(-INFINITY, 6), "-inf");
    EXPECT_EQ(FormatFixed(NAN, 6), "nan");
}

TEST(NumberText, ParseIntReadsLikeAtoiAndSaturates) {
    const char* cases[] = {"0",    "42",  "  -17xyz", "+5",   "\t\n 8", "",      "abc",
                           "0x10", "- 3", "--3",      "12.9", "7 8",    "00012", "-0"};
    for (const char* text : cases) {
        EXPECT_EQ(ParseInt(text), std::atoi(text)) << text;
    }
    EXPECT_EQ(ParseInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseInt("-99999999999999999999"), INT_MIN);
}

TEST(NumberText, ParseRealReadsLikeAtof) {
    const char* cases[] = {"3.0",
                           "  -2.5e3",
                           "+.5",
                           "1e",
                           "1e+",
                           ".",
                           "",
                           "abc",
                           "0.0001",
                           "1,5",
                           "0x1p3",
                           "0x1.8",
                           "-0x10",
                           "0x",
                           "0xg",
                           "inf",
                           "-INF",
                           "infinity",
                           "infinit",
                           "1e-400",
                           "-1e-400",
                           "1e400",
                           "-1e400",
                           "4.9e-324",
                           "2e-310",
                           "--1",
                           "+-1",
                           "0x-1",
                           "123abc",
                           "\v\f 7",
                           "1e5000000000",
                           "0.0000000000000000000001e-300"};
    for (const char* text : cases) {
        double expected = std::strtod(text, nullptr);
        double actual = ParseReal(text);
        EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << text;
        EXPECT_EQ(actual, expected) << text;
    }
    EXPECT_TRUE(std::isnan(ParseReal("nan")));
    EXPECT_TRUE(std::isnan(ParseReal(" nan(123)")));
}

TEST(NumberText, UserLocaleDoesNotChangeTheText) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(FormatFixed(0.5, 6), "0.500000");
    EXPECT_EQ(ParseReal("0.25"), 0.25);
    EXPECT_EQ(ParseReal("0,25"), 0.0);
    std::setlocale(LC_ALL, "C");
}

TEST(NumberText, SixDecimalsAndHexDigitsAsTheWritersUseThem) {
    EXPECT_EQ(FormatFixed(0.5, 6), "0.500000");
    EXPECT_EQ(FormatFixed(-0.0, 6), "-0.000000");
    EXPECT_EQ(FormatFixed(128 / 255.0, 6), "0.501961");
    EXPECT_EQ(FormatFixed(-25, 6), "-25.000000");
    EXPECT_EQ(FormatFixed(1e300, 6).size(), 301u + 7u);
    EXPECT_EQ(FormatFixed(-1.7976931348623157e308, 6).size(), 1u + 309u + 7u);
    EXPECT_EQ(FormatHex(0), "00");
    EXPECT_EQ(FormatHex(0xf), "0f");
    EXPECT_EQ(FormatHex(255), "ff");
    EXPECT_EQ(FormatHex(0x1ff), "1ff");
}
