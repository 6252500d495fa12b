// The slot readers and writers a pack uses, against slots as the host hands
// them over: bound to a variable, bound to an empty variable, or not bound.

#include "plugin/argument_slots.h"

#include <gtest/gtest.h>

#include <string>

#include "plugin/variable.h"
#include "tests/foundation/test_support.h"

namespace {

std::string SlotMessage(void (*action)(Value**), Value** slot) {
    return MessageOf([&] { action(slot); }, "(nothing thrown)");
}

TEST(ArgumentSlots, ReadersTakeThePayloadsAsTheHostLaysThemOut) {
    IntValue width(640), yes(1), no(0), highByteOnly(0x100);
    FloatValue time(2.5f);
    String title("%s", " SOLVARA RealTime");
    Value* values[] = {&width, &yes, &no, &highByteOnly, &time, &title};
    EXPECT_EQ(ReadInt(&values[0], "P", "width"), 640);
    EXPECT_TRUE(ReadBool(&values[1], "P", "b"));
    EXPECT_FALSE(ReadBool(&values[2], "P", "b"));
    EXPECT_FALSE(ReadBool(&values[3], "P", "b")) << "only the lowest-addressed byte counts";
    EXPECT_EQ(ReadFloat(&values[4], "P", "time"), 2.5f);
    String copy = ReadString(&values[5], "P", "title");
    EXPECT_STREQ(copy.GetText(), " SOLVARA RealTime");
    EXPECT_NE(copy.GetText(), title.GetText()) << "the copy has storage of its own";
}

TEST(ArgumentSlots, CheckedAccessNamesThePluginAndTheArgument) {
    Variable empty;
    auto readInt = [](Value** slot) { ReadInt(slot, "Pinwheel", "depth"); };
    auto readString = [](Value** slot) { ReadString(slot, "Pinwheel", "title"); };
    auto outSlot = [](Value** slot) { OutSlot(slot, "Pinwheel", "scene"); };
    EXPECT_EQ(SlotMessage(readInt, nullptr), "Plugin Pinwheel: argument depth is not bound");
    EXPECT_EQ(SlotMessage(readInt, &empty.value), "Plugin Pinwheel: argument depth holds no value");
    EXPECT_EQ(SlotMessage(readString, &empty.value),
              "Plugin Pinwheel: argument title holds no value");
    EXPECT_EQ(SlotMessage(outSlot, nullptr), "Plugin Pinwheel: argument scene is not bound");
    EXPECT_EQ(SlotMessage(outSlot, &empty.value), "(nothing thrown)") << "an out slot may be empty";
}

TEST(ArgumentSlots, OptionalReadersFallBackOnlyWithoutAValue) {
    Variable empty, depth, english, time, title;
    depth.value = new IntValue(3);
    english.value = new IntValue(0);
    time.value = new FloatValue(1.5f);
    title.value = new String("%s", "Title");
    for (Value** slot : {static_cast<Value**>(nullptr), &empty.value}) {
        EXPECT_EQ(ReadIntOr(slot, 5), 5);
        EXPECT_TRUE(ReadBoolOr(slot, true));
        EXPECT_EQ(ReadFloatOr(slot, 0.25f), 0.25f);
        EXPECT_STREQ(ReadStringOr(slot, "none").GetText(), "none");
    }
    EXPECT_EQ(ReadIntOr(&depth.value, 5), 3);
    EXPECT_FALSE(ReadBoolOr(&english.value, true));
    EXPECT_EQ(ReadFloatOr(&time.value, 0.25f), 1.5f);
    EXPECT_STREQ(ReadStringOr(&title.value, "none").GetText(), "Title");
    delete static_cast<IntValue*>(depth.value);
    delete static_cast<IntValue*>(english.value);
    delete static_cast<FloatValue*>(time.value);
    delete static_cast<String*>(title.value);
}

TEST(ArgumentSlots, FreeingAnOutValueEmptiesOnlyAVariableThatStillHoldsIt) {
    Variable result, other;
    IntValue* owned = nullptr;
    OutValue(&result.value, owned, "P", "result").value = 7;
    IntValue* first = owned;
    EXPECT_EQ(&OutValue(&result.value, owned, "P", "result"), first) << "made once, then reused";
    FreeOutValue(&result.value, owned);
    EXPECT_EQ(result.value, nullptr);
    EXPECT_EQ(owned, nullptr);

    OutValue(&result.value, owned, "P", "result");
    IntValue replacement(9);
    result.value = &replacement;  // another plugin stored its own value since
    FreeOutValue(&result.value, owned);
    EXPECT_EQ(result.value, &replacement);
    EXPECT_EQ(owned, nullptr);
    FreeOutValue(&other.value, owned);  // nothing left to free: nothing happens
}

}  // namespace
