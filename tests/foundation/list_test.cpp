#include "foundation/list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The items from first to last, checking the backward links on the way.
std::string Items(List<const char*>& list) {
    std::string forward;
    for (list.MoveFirst(); list.HasCurrent(); list.MoveNext()) forward += list.GetCurrent();
    std::string backward;
    for (auto* node = list.tail->prev; node != list.head; node = node->prev) {
        backward.insert(0, node->item);
    }
    EXPECT_EQ(forward, backward) << "prev links disagree with next links";
    EXPECT_EQ(nullptr, list.head->prev);
    EXPECT_EQ(nullptr, list.tail->next);
    return forward;
}

}  // namespace

TEST(List, InsertAppendsOnANewListAndMakesTheItemCurrent) {
    List<const char*> list;
    EXPECT_FALSE(list.HasCurrent());
    EXPECT_EQ(list.tail, list.head->next);
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
    EXPECT_STREQ("a", list.cursor->item);
    list.MoveFirst();
    while (list.HasCurrent() && std::string(list.GetCurrent()) != "z") list.MoveNext();
    EXPECT_STREQ("c", list.cursor->item) << "a failed search rests on the last element";
    list.MoveNext();
    EXPECT_STREQ("c", list.cursor->item) << "the cursor never moves onto the tail sentinel";
    EXPECT_FALSE(list.HasCurrent());
    list.Insert("d");
    EXPECT_EQ("abcd", Items(list));

    List<const char*> empty;
    empty.MoveNext();
    EXPECT_EQ(empty.head, empty.cursor);
    EXPECT_FALSE(empty.HasCurrent());
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
