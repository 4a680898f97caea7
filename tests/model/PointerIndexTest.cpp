// Positions found from addresses: every member, nothing else, and the first of a repeated one.
#include "model/PointerIndex.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct Item {
    int payload = 0;
};

} // namespace

// Objects of one array lie evenly spaced, as the objects of one allocator mostly do: the worst
// case of a hash on addresses. Sizes around powers of two meet the table's growth steps.
TEST(PointerIndex, FindsEveryMemberAndNothingElseAtAnySize) {
    for (int size : {0, 1, 7, 8, 9, 1023, 1024, 1025, 20000}) {
        auto storage = std::make_unique<Item[]>(static_cast<std::size_t>(size) + 1);
        std::vector<Item*> items;
        for (int i = 0; i < size; ++i) {
            items.push_back(&storage[static_cast<std::size_t>(i)]);
        }
        CPointerIndex<Item> index(items);
        index.InsertAll();
        for (int i = 0; i < size; ++i) {
            ASSERT_EQ(index.Find(items[static_cast<std::size_t>(i)]), i) << "size " << size;
        }
        EXPECT_EQ(index.Find(&storage[static_cast<std::size_t>(size)]), -1) << "size " << size;
        EXPECT_EQ(index.Find(nullptr), -1) << "size " << size;
    }
}

TEST(PointerIndex, ARepeatedAddressKeepsItsFirstPosition) {
    Item a, b;
    std::vector<Item*> items{&a, nullptr, &b, &a, nullptr};
    CPointerIndex<Item> index(items);
    EXPECT_EQ(index.Insert(0), -1);
    EXPECT_EQ(index.Insert(1), -1);
    EXPECT_EQ(index.Insert(2), -1);
    EXPECT_EQ(index.Insert(3), 0);
    EXPECT_EQ(index.Insert(4), 1);
    EXPECT_EQ(index.Find(&a), 0);
    EXPECT_EQ(index.Find(nullptr), 1);
    EXPECT_EQ(index.Find(&b), 2);

    CPointerIndex<Item> whole(items);
    whole.InsertAll();
    EXPECT_EQ(whole.Find(&a), 0);
    EXPECT_EQ(whole.Find(nullptr), 1);
}

TEST(PointerIndex, OnlyWhatWasInsertedIsFound) {
    Item a, b;
    std::vector<Item*> items{&a, &b};
    CPointerIndex<Item> index(items);
    EXPECT_EQ(index.Find(&a), -1);
    index.Insert(1);
    EXPECT_EQ(index.Find(&a), -1);
    EXPECT_EQ(index.Find(&b), 1);
}
