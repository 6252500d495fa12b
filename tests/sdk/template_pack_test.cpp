// Loads the template pack through the plugin framework, as the host does, and
// drives its plugin through a plugin call. The same program checks the pack
// built in the tree and, copied beside it, the pack built against the
// installed SDK.

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/exception.h"
#include "foundation/memory_stream.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"
#include "template_counter.h"

namespace {

const char* const PackFile = TEMPLATE_PACK_FILE;

int IntOf(const Variable& v) {
    return static_cast<IntValue*>(v.value)->value;
}
float FloatOf(const Variable& v) {
    return static_cast<FloatValue*>(v.value)->value;
}
const char* TextOf(const Variable& v) {
    return static_cast<String*>(v.value)->GetText();
}
// The program reads a pack's own value the way any host may: through its Write.
struct Counts {
    int runs;
    int countSum;
};
Counts CounterOf(const Variable& v) {
    MemoryStream stream;
    v.value->Write(stream);
    Counts counts{-1, -1};
    EXPECT_EQ(stream.Tell(), 8) << "CTemplateCounter writes two 32-bit numbers";
    stream.Seek(0, Stream::SeekBegin);
    stream.Read(&counts.runs, 4);
    stream.Read(&counts.countSum, 4);
    return counts;
}

void SetType(Variable& v, const char* typeName) {
    v.typeName.Assign(typeName);
}

// The host side of one TemplateEcho call: the variables of its nine arguments,
// the "in" ones holding values the host made (and frees), the "out" ones empty.
class TemplateEchoCall : public ::testing::Test {
protected:
    PluginRegistry registry;
    Variable count, enabled, scale, label;
    Variable countPlusOne, disabled, scaleTwice, labelEcho, counter;
    IntValue* countValue = new IntValue(41);
    IntValue* enabledValue = new IntValue(1);
    FloatValue* scaleValue = new FloatValue(1.25f);
    String* labelValue = new String();
    PluginCall* call = nullptr;

    void SetUp() override {
        labelValue->Assign("demo label");
        SetType(count, "int");
        count.value = countValue;
        SetType(enabled, "bool");
        enabled.value = enabledValue;
        SetType(scale, "float");
        scale.value = scaleValue;
        SetType(label, "String");
        label.value = labelValue;
        registry.AddPack(PackFile);
        call = new PluginCall(registry, "TemplateEcho");
        ASSERT_NE(call->plugin, nullptr) << "TemplateEcho was not found in " << PackFile;
        Variable* arguments[] = {&count,    &enabled,    &scale,     &label,  &countPlusOne,
                                 &disabled, &scaleTwice, &labelEcho, &counter};
        for (int i = 0; i < 9; ++i) call->Bind(i, *arguments[i]);
    }

    void TearDown() override {
        // The plugin frees what it stored; the host frees what it made.
        if (call && call->plugin) call->plugin->Stop();
        delete call;
        delete countValue;
        delete enabledValue;
        delete scaleValue;
        delete labelValue;
    }

    void StartAndRun() {
        call->StartIfDue(0.0f);
        ASSERT_TRUE(call->Prepare());
        call->Run();
    }
};

TEST(TemplatePack, IsDescribedAsItsSignatureSays) {
    PluginRegistry registry;
    registry.AddPack(PackFile);
    PluginPack* pack = registry.packs.GetCurrent();
    EXPECT_STREQ(pack->name.GetText(), "Template");
    EXPECT_EQ(pack->pluginCount, 1);
    EXPECT_EQ(pack->getPluginInstance(1), nullptr);
    EXPECT_EQ(pack->getPluginInstance(-1), nullptr);
    EXPECT_EQ(pack->getPluginInstance(0), pack->getPluginInstance(0));

    PluginDescriptor* descriptor = registry.FindPlugin("TemplateEcho");
    const char* types[] = {"int",  "bool",  "float",  "String",          "int",
                           "bool", "float", "String", "CTemplateCounter"};
    ASSERT_EQ(descriptor->GetArgumentCount(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(descriptor->typeNames[i].GetText(), types[i]) << "argument " << i;
        EXPECT_EQ(descriptor->inFlags[i], i < 4) << "argument " << i;
        EXPECT_FALSE(descriptor->optionalFlags[i]) << "argument " << i;
    }
}

TEST_F(TemplateEchoCall, RunPublishesEveryOutput) {
    StartAndRun();
    EXPECT_EQ(IntOf(countPlusOne), 42);
    EXPECT_EQ(IntOf(disabled), 0);
    EXPECT_FLOAT_EQ(FloatOf(scaleTwice), 2.5f);
    EXPECT_STREQ(TextOf(labelEcho), "DEMO LABEL");
    EXPECT_EQ(CounterOf(counter).runs, 1);
    EXPECT_EQ(CounterOf(counter).countSum, 41);
    EXPECT_EQ(counter.value->GetSize(), static_cast<int>(sizeof(CTemplateCounter)));
}

TEST_F(TemplateEchoCall, LaterRunsSeeInputsChangedInPlaceAndReuseTheirOutputs) {
    StartAndRun();
    Value* const firstOutputs[] = {countPlusOne.value, disabled.value, scaleTwice.value,
                                   labelEcho.value, counter.value};

    countValue->value = -7;
    enabledValue->value = 0;
    scaleValue->value = -0.5f;
    labelValue->Assign("Second, longer label than the first one");
    call->Run();

    EXPECT_EQ(IntOf(countPlusOne), -6);
    EXPECT_EQ(IntOf(disabled), 1);
    EXPECT_FLOAT_EQ(FloatOf(scaleTwice), -1.0f);
    EXPECT_STREQ(TextOf(labelEcho), "SECOND, LONGER LABEL THAN THE FIRST ONE");
    EXPECT_EQ(CounterOf(counter).runs, 2);
    EXPECT_EQ(CounterOf(counter).countSum, 41 - 7);
    const Value* const secondOutputs[] = {countPlusOne.value, disabled.value, scaleTwice.value,
                                          labelEcho.value, counter.value};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(secondOutputs[i], firstOutputs[i]) << "output " << i << " was reallocated";
    }

    // A new start of the call starts the count again.
    StartAndRun();
    EXPECT_EQ(CounterOf(counter).runs, 1);
}

TEST_F(TemplateEchoCall, HostStringIsCopiedNeverWrittenNorKept) {
    StartAndRun();
    EXPECT_STREQ(labelValue->GetText(), "demo label");
    EXPECT_NE(TextOf(labelEcho), labelValue->GetText());

    // The host replaces its String; the plugin holds nothing of the old one.
    String* replaced = new String();
    replaced->Assign("fresh");
    label.value = replaced;
    delete labelValue;
    labelValue = replaced;
    call->Run();
    EXPECT_STREQ(TextOf(labelEcho), "FRESH");
}

TEST_F(TemplateEchoCall, IndexesOutsideTheArgumentListAreIgnored) {
    Variable stray;
    stray.value = new IntValue(1000);
    call->Bind(9, stray);
    call->Bind(-1, stray);
    StartAndRun();
    EXPECT_EQ(IntOf(countPlusOne), 42);
    EXPECT_EQ(static_cast<IntValue*>(stray.value)->value, 1000);
    delete static_cast<IntValue*>(stray.value);
}

TEST_F(TemplateEchoCall, StopFreesTheOutputsAndEmptiesTheirVariables) {
    call->mode = PluginCall::ScheduleOnce;
    StartAndRun();
    ASSERT_NE(counter.value, nullptr);
    call->Stop();
    EXPECT_EQ(countPlusOne.value, nullptr);
    EXPECT_EQ(disabled.value, nullptr);
    EXPECT_EQ(scaleTwice.value, nullptr);
    EXPECT_EQ(labelEcho.value, nullptr);
    EXPECT_EQ(counter.value, nullptr);
    // The host's own values are untouched.
    EXPECT_EQ(count.value, countValue);
    EXPECT_STREQ(labelValue->GetText(), "demo label");

    // Running again after Stop makes fresh values.
    call->plugin->Start();
    call->plugin->Run();
    EXPECT_EQ(CounterOf(counter).runs, 1);
}

// The exception is thrown inside the pack and caught here as the one shared
// type, with a message that names the plugin and the argument.
TEST_F(TemplateEchoCall, MissingArgumentsReachTheHostAsItsException) {
    label.value = nullptr;
    try {
        StartAndRun();
        FAIL() << "Run with an empty \"in\" variable did not throw";
    } catch (const Ombrel::Exception& e) {
        EXPECT_STREQ(e.message, "Plugin TemplateEcho: argument label holds no value");
    }

    Plugin* unbound = call->plugin->Clone();
    try {
        unbound->Run();
        ADD_FAILURE() << "Run of an unbound clone did not throw";
    } catch (const Ombrel::Exception& e) {
        EXPECT_STREQ(e.message, "Plugin TemplateEcho: argument count is not bound");
    }
    unbound->Release();
}

}  // namespace
