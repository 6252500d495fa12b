#include "foundation/list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The items from first to last, walked with the cursor (which ends past the
// last element) and checked against the const walk.
std::string Items(List<const char*>& list) {
    std::string walked;
    for (list.MoveFirst(); list.HasCurrent(); list.MoveNext()) walked += list.GetCurrent();
    std::string read;
    const List<const char*>& constant = list;
    for (const char* item : constant) read += item;
    EXPECT_EQ(walked, read) << "the const walk disagrees with the cursor";
    EXPECT_EQ(walked.empty(), list.IsEmpty());
    return walked;
}

}  // namespace

TEST(List, InsertAppendsOnANewListAndMakesTheItemCurrent) {
    List<const char*> list;
    EXPECT_FALSE(list.HasCurrent());
    EXPECT_EQ("", Items(list));
    list.Insert("a");
    EXPECT_TRUE(list.HasCurrent());
    EXPECT_STREQ("a", list.GetCurrent());
    list.Insert("b");
    list.Insert("c");
    EXPECT_STREQ("c", list.GetCurrent());
    EXPECT_EQ("abc", Items(list));
}

TEST(List, InsertGoesAfterTheCurrentElementOrAtTheEnd) {
    List<const char*> list;
    list.Insert("a");
    list.Insert("b");
    list.MoveFirst();
    list.Insert("x");
    EXPECT_STREQ("x", list.GetCurrent());
    EXPECT_EQ("axb", Items(list));
    // Items() walked to the end, so there is no current element.
    EXPECT_FALSE(list.HasCurrent());
    list.Insert("y");
    EXPECT_STREQ("y", list.GetCurrent());
    EXPECT_EQ("axby", Items(list));
}

TEST(List, SearchLeavesTheCursorBeforeTheFoundElement) {
    List<const char*> list;
    list.Insert("a");
    list.Insert("b");
    list.Insert("c");
    list.MoveFirst();
    while (list.HasCurrent() && std::string(list.GetCurrent()) != "b") list.MoveNext();
    EXPECT_STREQ("b", list.GetCurrent());
    list.Insert("x");
    EXPECT_EQ("abxc", Items(list)) << "the found element stays current";
    list.MoveFirst();
    while (list.HasCurrent() && std::string(list.GetCurrent()) != "z") list.MoveNext();
    EXPECT_FALSE(list.HasCurrent()) << "a failed search rests on the last element";
    // Moving on past the last element keeps the cursor off the tail sentinel:
    // an insertion still appends.
    list.MoveNext();
    EXPECT_FALSE(list.HasCurrent());
    list.Insert("d");
    EXPECT_EQ("abxcd", Items(list));

    List<const char*> empty;
    empty.MoveNext();
    EXPECT_FALSE(empty.HasCurrent());
    empty.Insert("e");
    EXPECT_EQ("e", Items(empty));
}

// Removing relinks both neighbours: what is left walks the same forwards,
// and insertions next to the gap land where they should.
TEST(List, RemoveTakesOutTheFirstElementHoldingTheItem) {
    const char* const a = "a";
    const char* const b = "b";
    const char* const c = "c";
    struct Case {
        const char* removed;
        const char* left;
    };
    for (const Case& gone : {Case{a, "bc"}, Case{b, "ac"}, Case{c, "ab"}}) {
        List<const char*> list;
        list.Insert(a);
        list.Insert(b);
        list.Insert(c);
        EXPECT_TRUE(list.Contains(gone.removed));
        EXPECT_TRUE(list.Remove(gone.removed)) << gone.removed;
        // The cursor went back to the start: the first element is current.
        ASSERT_TRUE(list.HasCurrent());
        EXPECT_EQ(gone.left[0], *list.GetCurrent());
        list.Insert("x");
        EXPECT_FALSE(list.Contains(gone.removed));
        EXPECT_EQ(std::string(gone.left).insert(1, "x"), Items(list)) << gone.removed;
        list.Insert("y");
        EXPECT_EQ(std::string(gone.left).insert(1, "x") + "y", Items(list)) << "appends at the end";
    }

    List<const char*> list;
    list.Insert(a);
    list.Insert(b);
    list.Insert(a);
    EXPECT_FALSE(list.Remove(c)) << "an item the list does not hold";
    EXPECT_EQ("aba", Items(list));
    EXPECT_TRUE(list.Remove(a));
    EXPECT_EQ("ba", Items(list)) << "only the first element holding it goes";
    EXPECT_TRUE(list.Remove(b));
    EXPECT_TRUE(list.Remove(a));
    EXPECT_EQ("", Items(list));
    EXPECT_FALSE(list.Remove(a));
    list.Insert(c);
    EXPECT_EQ("c", Items(list)) << "an emptied list takes new elements";
}

TEST(List, DestructionLeavesTheItemsAlone) {
    std::string* first = new std::string("first");
    std::string* second = new std::string("second");
    {
        List<std::string*> list;
        list.Insert(first);
        list.Insert(second);
    }
    EXPECT_EQ("first", *first);
    EXPECT_EQ("second", *second);
    delete first;
    delete second;
}
