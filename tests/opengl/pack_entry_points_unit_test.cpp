// The pack's entry points and the two plugin objects, called directly on the
// objects the pack is built from.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/exception.h"
#include "packs/opengl/opengl_init.h"
#include "packs/opengl/opengl_print.h"
#include "plugin/contract.h"
#include "plugin/variable.h"

extern "C" unsigned int GetMagic();
extern "C" int GetPluginCount();
extern "C" Plugin* GetPluginInstance(int index);
extern "C" const char* GetPluginPackName();

TEST(ConsoleDevicePack, EntryPointsDescribeTwoPlugins) {
    EXPECT_EQ(0xCAFEACDCu, GetMagic());
    EXPECT_EQ(2, GetPluginCount());
    EXPECT_STREQ("ConsoleDevice", GetPluginPackName());
    ASSERT_NE(nullptr, GetPluginInstance(0));
    ASSERT_NE(nullptr, GetPluginInstance(1));
    EXPECT_STREQ("OpenGLInit", GetPluginInstance(0)->GetName());
    EXPECT_STREQ("OpenGLPrint", GetPluginInstance(1)->GetName());
}

TEST(ConsoleDevicePack, IndexesOutsideThePackGiveNull) {
    EXPECT_EQ(nullptr, GetPluginInstance(2));
    EXPECT_EQ(nullptr, GetPluginInstance(-1));
    EXPECT_EQ(nullptr, GetPluginInstance(-2147483647 - 1));
}

TEST(ConsoleDevicePack, EveryLookUpGivesTheSameObject) {
    EXPECT_EQ(GetPluginInstance(0), GetPluginInstance(0));
    EXPECT_EQ(GetPluginInstance(1), GetPluginInstance(1));
    EXPECT_NE(GetPluginInstance(0), GetPluginInstance(1));
}

TEST(ConsoleDevicePack, SignaturesAreExactTexts) {
    EXPECT_STREQ(
        "out OpenGL openGL, in String name, in int width, in int height, in int colorBits, in bool "
        "fullScreen",
        GetPluginInstance(0)->GetSignature());
    // Two blanks before "time", returned as written.
    EXPECT_STREQ("in OpenGL openGL, in float  time, in int count",
                 GetPluginInstance(1)->GetSignature());
}

TEST(ConsoleDevicePack, InfoTextsAreOneEmptyText) {
    for (int index = 0; index < 2; ++index) {
        Plugin* plugin = GetPluginInstance(index);
        const char* texts[] = {plugin->GetInfo1(), plugin->GetInfo2(), plugin->GetInfo3(),
                               plugin->GetInfo4(), plugin->GetInfo5(), plugin->GetInfo6()};
        for (const char* text : texts) {
            ASSERT_NE(nullptr, text) << "plugin " << index;
            EXPECT_STREQ("", text) << "plugin " << index;
            EXPECT_EQ(texts[0], text) << "plugin " << index << ": the six texts are one text";
        }
    }
}

TEST(ConsoleDevicePack, PrepareIsTrueBeforeAnyStart) {
    EXPECT_TRUE(GetPluginInstance(0)->Prepare());
    EXPECT_TRUE(GetPluginInstance(1)->Prepare());
}

TEST(OpenGLInitArguments, EachIndexFillsItsOwnSlotAndOthersAreIgnored) {
    OpenGLInit plugin;
    Value* values[6] = {};
    for (int index = 0; index < 6; ++index) plugin.SetArgument(index, &values[index]);
    using Arguments = OpenGLInit::Arguments;
    EXPECT_EQ(&values[0], plugin.slots[Arguments::openGL]);
    EXPECT_EQ(&values[1], plugin.slots[Arguments::name]);
    EXPECT_EQ(&values[2], plugin.slots[Arguments::width]);
    EXPECT_EQ(&values[3], plugin.slots[Arguments::height]);
    EXPECT_EQ(&values[4], plugin.slots[Arguments::colorBits]);
    EXPECT_EQ(&values[5], plugin.slots[Arguments::fullScreen]);

    Value* stray = nullptr;
    plugin.SetArgument(6, &stray);
    plugin.SetArgument(-1, &stray);
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(&values[index], plugin.slots[static_cast<Arguments::Index>(index)]) << index;
    }
}

TEST(OpenGLPrintArguments, EachIndexFillsItsOwnSlotAndOthersAreIgnored) {
    OpenGLPrint plugin;
    Value* values[3] = {};
    for (int index = 0; index < 3; ++index) plugin.SetArgument(index, &values[index]);
    Value* stray = nullptr;
    plugin.SetArgument(3, &stray);
    plugin.SetArgument(-1, &stray);
    EXPECT_EQ(&values[0], plugin.slots[OpenGLPrint::Arguments::openGL]);
    EXPECT_EQ(&values[1], plugin.slots[OpenGLPrint::Arguments::time]);
    EXPECT_EQ(&values[2], plugin.slots[OpenGLPrint::Arguments::count]);
}

TEST(ConsoleDevicePack, ClonesAreNewUnboundObjectsOfTheSameClass) {
    OpenGLInit& prototype = *static_cast<OpenGLInit*>(GetPluginInstance(0));
    Value* bound = nullptr;
    OpenGLInit original;
    original.SetArgument(0, &bound);
    Plugin* clone = original.Clone();
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(&original, clone);
    EXPECT_STREQ("OpenGLInit", clone->GetName());
    EXPECT_EQ(nullptr, static_cast<OpenGLInit*>(clone)->slots[OpenGLInit::Arguments::openGL]);
    clone->Release();
    EXPECT_STREQ("OpenGLInit", prototype.GetName());

    OpenGLPrint printer;
    printer.SetArgument(1, &bound);
    Plugin* printClone = printer.Clone();
    EXPECT_STREQ("OpenGLPrint", printClone->GetName());
    EXPECT_EQ(nullptr, static_cast<OpenGLPrint*>(printClone)->slots[OpenGLPrint::Arguments::time]);
    printClone->Release();
}

TEST(OpenGLInitStop, WithoutADeviceOfItsOwnLeavesTheVariableAlone) {
    OpenGLInit plugin;
    plugin.Stop();  // no slot bound

    Variable variable;
    plugin.SetArgument(0, &variable.value);
    plugin.Stop();  // the variable holds nothing
    EXPECT_EQ(nullptr, variable.value);

    // A value the host made is not the pack's to free.
    IntValue hostValue(7);
    variable.value = &hostValue;
    plugin.Stop();
    EXPECT_EQ(&hostValue, variable.value);
    EXPECT_EQ(7, hostValue.value);
}

TEST(OpenGLPrintRun, WithoutADeviceEndsTheDemoByANamedException) {
    OpenGLPrint printer;
    Variable device, time, count;
    FloatValue seconds(2.0f);
    IntValue satellites(32);
    time.value = &seconds;
    count.value = &satellites;
    printer.Start();
    for (bool bound : {false, true}) {
        if (bound) printer.SetArgument(0, &device.value);  // bound, but still empty
        printer.SetArgument(1, &time.value);
        printer.SetArgument(2, &count.value);
        try {
            printer.Run();
            ADD_FAILURE() << "Run without a device did not throw (slot bound: " << bound << ")";
        } catch (const Ombrel::Exception& exception) {
            EXPECT_STREQ("OpenGLPrint: no OpenGL device", exception.message);
        }
    }
    EXPECT_EQ(0.0f, printer.rate.frames) << "a Run that shows nothing counts no frame";
}
