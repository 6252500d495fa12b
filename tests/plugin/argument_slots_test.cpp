// The slot readers and writers a pack uses, against slots as the host hands
// them over: bound to a variable, bound to an empty variable, or not bound.
// Then a plugin's arguments written as one list (argument_list.h): the
// signature text, the indexes and the names that come from it, and the table
// of slots that SetArgument fills.

#include "plugin/argument_slots.h"

#include <gtest/gtest.h>

#include <string>

#include "plugin/argument_list.h"
#include "plugin/descriptor.h"
#include "plugin/variable.h"
#include "tests/fixtures/fixed_plugin.h"
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

#define PROBE_ARGUMENTS(X) \
    X(scene, "out Scene")  \
    X(time, "in float ")   \
    X(count, "in int")     \
    X(title, "in String")
OMBREL_DECLARE_ARGUMENTS(ProbeArguments, PROBE_ARGUMENTS)

#define SINGLE_ARGUMENTS(X) X(level, "opt in int")
OMBREL_DECLARE_ARGUMENTS(SingleArguments, SINGLE_ARGUMENTS)

TEST(ArgumentList, GivesTheSignatureIndexesAndNamesInListOrder) {
    EXPECT_STREQ("out Scene scene, in float  time, in int count, in String title",
                 ProbeArguments::Signature());
    EXPECT_STREQ("opt in int level", SingleArguments::Signature());
    EXPECT_EQ(ProbeArguments::Signature(), ProbeArguments::Signature()) << "one static text";

    EXPECT_EQ(4, ProbeArguments::ArgumentCount);
    const char* const names[] = {"scene", "time", "count", "title"};
    for (int index = 0; index < ProbeArguments::ArgumentCount; ++index) {
        EXPECT_STREQ(names[index], ProbeArguments::Name(static_cast<ProbeArguments::Index>(index)));
    }
    EXPECT_EQ(2, ProbeArguments::count);
    EXPECT_EQ(1, SingleArguments::ArgumentCount);

    // The host reads the text into the same arguments, in the same order.
    FixedPlugin plugin("Probe", ProbeArguments::Signature());
    PluginDescriptor descriptor(&plugin);
    ASSERT_EQ(ProbeArguments::ArgumentCount, descriptor.GetArgumentCount());
    for (int index = 0; index < ProbeArguments::ArgumentCount; ++index) {
        EXPECT_STREQ(ProbeArguments::Name(static_cast<ProbeArguments::Index>(index)),
                     descriptor.argumentNames.data[index].GetText());
    }
    EXPECT_FALSE(descriptor.inFlags.data[ProbeArguments::scene]);
    EXPECT_TRUE(descriptor.inFlags.data[ProbeArguments::title]);
}

TEST(ArgumentList, TheTableKeepsTheSlotsOfItsIndexesOnly) {
    ArgumentSlotTable<ProbeArguments> slots;
    for (int index = 0; index < ProbeArguments::ArgumentCount; ++index) {
        EXPECT_EQ(nullptr, slots[static_cast<ProbeArguments::Index>(index)]) << "bound at first";
    }
    Value* values[4] = {};
    for (int index = 0; index < 4; ++index) slots.Set(index, &values[index]);
    Value* stray = nullptr;
    for (int index : {4, -1, -2147483647 - 1}) slots.Set(index, &stray);
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(&values[index], slots[static_cast<ProbeArguments::Index>(index)]) << index;
    }
}

TEST(ArgumentList, ReadersThroughTheTableNameTheArgumentOfTheList) {
    ArgumentSlotTable<ProbeArguments> slots;
    Variable count, title;
    slots.Set(ProbeArguments::count, &count.value);
    EXPECT_EQ("Plugin Probe: argument count holds no value",
              MessageOf([&] { ReadInt(slots, ProbeArguments::count, "Probe"); }));
    EXPECT_EQ("Plugin Probe: argument time is not bound",
              MessageOf([&] { ReadFloat(slots, ProbeArguments::time, "Probe"); }));
    EXPECT_EQ("Plugin Probe: argument scene is not bound",
              MessageOf([&] { OutSlot(slots, ProbeArguments::scene, "Probe"); }));

    IntValue seven(7);
    count.value = &seven;
    EXPECT_EQ(7, ReadInt(slots, ProbeArguments::count, "Probe"));
    String text("%s", "caption");
    title.value = &text;
    slots.Set(ProbeArguments::title, &title.value);
    EXPECT_STREQ("caption", ReadString(slots, ProbeArguments::title, "Probe").GetText());

    Variable scene;
    slots.Set(ProbeArguments::scene, &scene.value);
    IntValue* made = nullptr;
    OutValue(slots, ProbeArguments::scene, made, "Probe").value = 3;
    EXPECT_EQ(made, scene.value);
    FreeOutValue(slots[ProbeArguments::scene], made);
    EXPECT_EQ(nullptr, scene.value);
}

}  // namespace
