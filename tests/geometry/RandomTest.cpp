// The seeded pseudo-random source and the index scaling of Node Randomize.
#include "geometry/Random.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

std::vector<int> Draw(RandomSource next, int count) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(next());
    }
    return values;
}

} // namespace

TEST(Random, SeededSourcesRepeatAndStayInRange) {
    std::vector<int> first = Draw(MakeSeededRandom(42), 2000);
    EXPECT_EQ(first, Draw(MakeSeededRandom(42), 2000));
    EXPECT_NE(first, Draw(MakeSeededRandom(43), 2000));
    std::set<int> distinct(first.begin(), first.end());
    EXPECT_GT(distinct.size(), 1900u);
    for (int v : first) {
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandomMax);
    }
    // The sequence belongs to the seed, not to the host's C library.
    EXPECT_EQ(Draw(MakeSeededRandom(1), 3), (std::vector<int>{13664, 32675, 23603}));
}

TEST(Random, TimeSeededSourceYieldsValuesInRange) {
    RandomSource next = MakeTimeSeededRandom();
    for (int i = 0; i < 100; ++i) {
        int v = next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandomMax);
    }
}

TEST(Random, IndexScalesTruncatesAndClampsTheTopValue) {
    EXPECT_EQ(1.0 / RandomMax, 3.051850947599719e-05);
    EXPECT_EQ(RandomIndex(0, 5), 0);
    EXPECT_EQ(RandomIndex(16384, 3), 1);     // 1.50004... truncated
    EXPECT_EQ(RandomIndex(32766, 3), 2);     // 2.99990...
    EXPECT_EQ(RandomIndex(RandomMax, 3), 2); // exactly 3, clamped
    EXPECT_EQ(RandomIndex(RandomMax, 1), 0);
    EXPECT_EQ(RandomIndex(10922, 3), 0); // 0.99997...
    EXPECT_EQ(RandomIndex(10923, 3), 1); // 1.00006...
    for (int v = 0; v <= RandomMax; v += 97) {
        ASSERT_EQ(RandomIndex(v, 1), 0);
    }
}
