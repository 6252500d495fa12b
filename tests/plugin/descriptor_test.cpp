#include "plugin/descriptor.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/exception.h"
#include "tests/fixtures/fixed_plugin.h"

namespace {

std::string DescriptorMessage(const char* name, const char* signature) {
    FixedPlugin plugin(name, signature);
    try {
        PluginDescriptor descriptor(&plugin);
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
    return "(no exception)";
}

int ArgumentCount(const char* signature) {
    FixedPlugin plugin("P", signature);
    PluginDescriptor descriptor(&plugin);
    EXPECT_EQ(descriptor.optionalFlags.count, descriptor.typeNames.count) << signature;
    EXPECT_EQ(descriptor.inFlags.count, descriptor.typeNames.count) << signature;
    EXPECT_EQ(descriptor.argumentNames.count, descriptor.typeNames.count) << signature;
    return descriptor.typeNames.count;
}

}  // namespace

TEST(PluginDescriptor, ParsesTheDeviceInitSignatureIntoParallelArrays) {
    FixedPlugin plugin("OpenGLInit",
                       "out OpenGL openGL, in String name, in int width, in int height, "
                       "in int colorBits, in bool fullScreen");
    PluginDescriptor descriptor(&plugin);

    EXPECT_STREQ(descriptor.name.GetText(), "OpenGLInit");
    EXPECT_EQ(descriptor.plugin, &plugin);
    ASSERT_EQ(descriptor.GetArgumentCount(), 6);
    const char* types[] = {"OpenGL", "String", "int", "int", "int", "bool"};
    const char* names[] = {"openGL", "name", "width", "height", "colorBits", "fullScreen"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(descriptor.optionalFlags[i]) << i;
        EXPECT_EQ(descriptor.inFlags[i], i != 0) << i;
        EXPECT_STREQ(descriptor.typeNames[i].GetText(), types[i]) << i;
        EXPECT_STREQ(descriptor.argumentNames[i].GetText(), names[i]) << i;
    }
}

TEST(PluginDescriptor, IgnoresRepeatedBlanksAndTabs) {
    FixedPlugin plugin("OpenGLPrint", "in OpenGL openGL, in float  time,\t in  int count ");
    PluginDescriptor descriptor(&plugin);
    ASSERT_EQ(descriptor.GetArgumentCount(), 3);
    EXPECT_STREQ(descriptor.typeNames[1].GetText(), "float");
    EXPECT_STREQ(descriptor.argumentNames[1].GetText(), "time");
    EXPECT_STREQ(descriptor.argumentNames[2].GetText(), "count");
}

TEST(PluginDescriptor, KeywordsIgnoreCaseWhileNamesKeepIt) {
    FixedPlugin plugin("P", "OPT Out MeshData my_Mesh2, oPt IN Int Level");
    PluginDescriptor descriptor(&plugin);
    ASSERT_EQ(descriptor.GetArgumentCount(), 2);
    EXPECT_TRUE(descriptor.optionalFlags[0]);
    EXPECT_FALSE(descriptor.inFlags[0]);
    EXPECT_STREQ(descriptor.typeNames[0].GetText(), "MeshData");
    EXPECT_STREQ(descriptor.argumentNames[0].GetText(), "my_Mesh2");
    EXPECT_TRUE(descriptor.optionalFlags[1]);
    EXPECT_TRUE(descriptor.inFlags[1]);
    EXPECT_STREQ(descriptor.typeNames[1].GetText(), "Int");
}

TEST(PluginDescriptor, ListEndsQuietlyAtATokenThatCannotStartAnArgument) {
    EXPECT_EQ(ArgumentCount(""), 0);
    EXPECT_EQ(ArgumentCount("   \t "), 0);
    EXPECT_EQ(ArgumentCount(", in int x"), 0);
    EXPECT_EQ(ArgumentCount("7 in int x"), 0);
    EXPECT_EQ(ArgumentCount("in int x,"), 1);
    EXPECT_EQ(ArgumentCount("in int x, 7 in int y"), 1);
    EXPECT_EQ(ArgumentCount("in int x,\nin int y"), 1);
    EXPECT_EQ(ArgumentCount("in int x,,in int y"), 1);
}

TEST(PluginDescriptor, RecordsWhereTheListEndedBeforeTheText) {
    const struct {
        const char* signature;
        int unreadFrom;
    } cases[] = {{"in int x", -1},
                 {"in int x, ", -1},
                 {"  ", -1},
                 {"in int x,, in int y", 9},
                 {"in int x, 7 in int y", 10},
                 {"\tin int x,\nin int y", 10},
                 // A longer name or nothing at all before the symbol left over.
                 {"7 in int x", 0},
                 {"in int abc,,in int y", 11},
                 {"in int abc, ;", 12}};
    for (const auto& c : cases) {
        FixedPlugin plugin("P", c.signature);
        PluginDescriptor descriptor(&plugin);
        EXPECT_EQ(descriptor.unreadFrom, c.unreadFrom) << c.signature;
    }
}

TEST(PluginDescriptor, MalformedSignaturesNameThePlugin) {
    EXPECT_EQ(DescriptorMessage("Twice", "in int a in int b"),
              "Missing ',' at plugin Twice definition.");
    EXPECT_EQ(DescriptorMessage("Broken", "in int x\n"),
              "Missing ',' at plugin Broken definition.");
    EXPECT_EQ(DescriptorMessage("Broken", "in int x; in int y"),
              "Missing ',' at plugin Broken definition.");
    EXPECT_EQ(DescriptorMessage("NoWay", "int width"),
              "Invalid definition of plugin NoWay, missing in/out type qualifier.");
    EXPECT_EQ(DescriptorMessage("NoWay", "opt inout int width"),
              "Invalid definition of plugin NoWay, missing in/out type qualifier.");
    EXPECT_EQ(DescriptorMessage("Short", "opt"), "Invalid definition of plugin Short.");
    EXPECT_EQ(DescriptorMessage("Short", "opt ,"), "Invalid definition of plugin Short.");
    EXPECT_EQ(DescriptorMessage("Short", "in int"), "Invalid definition of plugin Short.");
    EXPECT_EQ(DescriptorMessage("Short", "in"), "Invalid definition of plugin Short.");
    EXPECT_EQ(DescriptorMessage("Short", "in int 5"), "Invalid definition of plugin Short.");
}

TEST(PluginDescriptor, NullTextsFromAPluginReadAsEmpty) {
    FixedPlugin nameless(nullptr, "in int x");
    PluginDescriptor first(&nameless);
    EXPECT_STREQ(first.name.GetText(), "");
    EXPECT_EQ(first.GetArgumentCount(), 1);

    FixedPlugin withoutSignature("NoSignature", nullptr);
    PluginDescriptor second(&withoutSignature);
    EXPECT_STREQ(second.name.GetText(), "NoSignature");
    EXPECT_EQ(second.GetArgumentCount(), 0);

    EXPECT_EQ(DescriptorMessage(nullptr, "int x"),
              "Invalid definition of plugin , missing in/out type qualifier.");
}
