// Signatures, names and file names far longer than any the demo uses: parsed
// whole, and cut inside the exception's 512-byte buffer when they are part of
// a message.
#include "tests/hostile/packs/long_texts.h"

#include <cstring>
#include <string>

#include "plugin/descriptor.h"
#include "tests/fixtures/fixed_plugin.h"
#include "tests/hostile/hostile_support.h"

namespace {

const size_t MessageLimit = 511;

TEST(HostileLongTexts, ASignatureOfThousandsOfArgumentsIsParsedWhole) {
    PluginRegistry registry;
    registry.AddPack(PackFile("HostileLongSignature").c_str());
    PluginDescriptor* descriptor = registry.FindPlugin("LoadCOctreeScene");
    ASSERT_EQ(LongSignatureArguments, descriptor->GetArgumentCount());
    EXPECT_FALSE(descriptor->inFlags.data[0]);
    EXPECT_STREQ("COctreeScene", descriptor->typeNames.data[0].GetText());
    EXPECT_STREQ("depth", descriptor->argumentNames.data[2].GetText());
    const int last = LongSignatureArguments - 1;
    EXPECT_TRUE(descriptor->inFlags.data[last]);
    EXPECT_EQ("extra" + std::to_string(last), descriptor->argumentNames.data[last].GetText());
}

TEST(HostileLongTexts, AnIdentifierOfHundredsOfKilobytesIsKeptWhole) {
    const std::string type(300000, 'T');
    const std::string signature = "opt in " + type + " value";
    FixedPlugin plugin("Huge", signature.c_str());
    PluginDescriptor descriptor(&plugin);
    ASSERT_EQ(1, descriptor.GetArgumentCount());
    EXPECT_TRUE(descriptor.optionalFlags.data[0]);
    EXPECT_EQ(type, descriptor.typeNames.data[0].GetText());
}

TEST(HostileLongTexts, MessagesNamingLongTextsAreCutInsideTheirBuffer) {
    // A plugin named with 4000 characters whose signature is malformed.
    PluginRegistry registry;
    const std::string expectedName =
        ("Invalid definition of plugin " + std::string(LongNameLength, 'N') + ".")
            .substr(0, MessageLimit);
    EXPECT_EQ(expectedName,
              MessageOf([&] { registry.AddPack(PackFile("HostileLongName").c_str()); }));
    // The pack stays with the plugins that came before the bad one.
    EXPECT_NE(nullptr, registry.FindPlugin("PrintCOctreeScene"));

    // A file name of 1000 characters that no loader can open.
    const std::string file = std::string(1000, 'f') + OMBREL_PACK_SUFFIX;
    EXPECT_EQ(("Unable to load: " + file).substr(0, MessageLimit),
              MessageOf([&] { registry.AddPack(file.c_str()); }));
}

}  // namespace
