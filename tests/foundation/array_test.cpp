#include "foundation/array.h"

#include <gtest/gtest.h>

#include "foundation/string.h"

TEST(Array, GrowsByItsFactorAndKeepsElements) {
    Array<int> a;
    EXPECT_EQ(0, a.count);
    EXPECT_EQ(10, a.capacity);
    EXPECT_EQ(10.0f, a.growthFactor);
    for (int i = 0; i < 10; ++i) a.Add(i * 7);
    EXPECT_EQ(10, a.capacity) << "ten elements fit without growing";
    a.Add(70);
    EXPECT_EQ(100, a.capacity) << "the eleventh Add grows 10 -> 100";
    EXPECT_EQ(11, a.count);
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(i * 7, a[i]) << "element " << i;
    for (int i = 11; i <= 100; ++i) a.Add(i);
    EXPECT_EQ(1000, a.capacity);

    Array<char> doubling(65536, 2.0f);
    doubling.Grow();
    EXPECT_EQ(131072, doubling.capacity);
    Array<char> fractional(3, 1.5f);
    fractional.Grow();
    EXPECT_EQ(4, fractional.capacity) << "3 x 1.5 truncates to 4";
}

TEST(Array, GrowthAlwaysMakesRoomForOneMore) {
    Array<int> empty(0, 10.0f);
    empty.Add(5);
    EXPECT_EQ(1, empty.capacity) << "capacity 0 x 10 would stay 0";
    EXPECT_EQ(5, empty[0]);
    Array<int> stuck(2, 1.0f);
    stuck.SetAt(0, 1);
    stuck.SetAt(1, 2);
    stuck.SetAt(2, 3);
    EXPECT_EQ(3, stuck.capacity) << "a factor of 1.0 still adds a slot";
    EXPECT_EQ(3, stuck[2]);
}

TEST(Array, SetAtGrowsAtCapacityAndRaisesCount) {
    Array<int> a(2, 10.0f);
    a.SetAt(1, 11);
    EXPECT_EQ(2, a.count) << "count becomes index + 1";
    a.SetAt(0, 10);
    EXPECT_EQ(2, a.count) << "writing below count keeps it";
    a.SetAt(2, 12);
    EXPECT_EQ(20, a.capacity);
    EXPECT_EQ(3, a.count);
    EXPECT_EQ(10, a[0]);
    EXPECT_EQ(11, a[1]);
    EXPECT_EQ(12, a[2]);
}

TEST(Array, SetCapacityCutsOrKeepsElements) {
    Array<int> a;
    for (int i = 0; i < 8; ++i) a.Add(i);
    a.SetCapacity(5);
    EXPECT_EQ(5, a.capacity);
    EXPECT_EQ(5, a.count) << "count is cut to the new capacity";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(i, a[i]);
    a.SetCapacity(50);
    EXPECT_EQ(50, a.capacity);
    EXPECT_EQ(5, a.count);
    EXPECT_EQ(4, a[4]);
}

// Adding an element of the array itself while it grows must not read the
// storage that the growth released.
TEST(Array, AddingOwnElementSurvivesGrowth) {
    Array<int> a;
    for (int i = 0; i < 10; ++i) a.Add(100 + i);
    a.Add(a[3]);
    EXPECT_EQ(103, a[10]);
    a.SetCapacity(11);
    a.SetAt(11, a[0]);
    EXPECT_EQ(100, a[11]);

    Array<String> names(1, 10.0f);
    names[0].Assign("first");
    names.count = 1;
    names.Add(names[0]);
    EXPECT_STREQ("first", names[1].GetText());
}

TEST(Array, OfStringHoldsEmptyStringsAndCopiesTextsOnGrowth) {
    Array<String> names;
    for (int i = 0; i < 10; ++i) EXPECT_STREQ("", names[i].GetText()) << "slot " << i;
    for (int i = 0; i < 11; ++i) names.Add(String("name%d", i));
    EXPECT_EQ(100, names.capacity);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(0, names[i].Compare(String("name%d", i).GetText()));
}
