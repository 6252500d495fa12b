#include "plugin/registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "foundation/exception.h"
#include "tests/plugin/fixture_packs.h"

namespace {

// The message that adding the pack gives, or "" when it is added.
std::string AddPackMessage(PluginRegistry& registry, const std::string& file) {
    try {
        registry.AddPack(file.c_str());
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
    return "";
}

std::string FindMessage(PluginRegistry& registry, const char* name) {
    try {
        registry.FindPlugin(name);
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
    return "(found)";
}

int PackCount(PluginRegistry& registry) {
    int count = 0;
    for (registry.packs.MoveFirst(); registry.packs.HasCurrent(); registry.packs.MoveNext()) {
        ++count;
    }
    return count;
}

std::string PluginNames(PluginPack* pack) {
    std::string names;
    bool first = true;
    for (pack->descriptors.MoveFirst(); pack->descriptors.HasCurrent();
         pack->descriptors.MoveNext(), first = false) {
        if (!first) names += ",";
        names += pack->descriptors.GetCurrent()->name.GetText();
    }
    return names;
}

}  // namespace

TEST(PluginRegistry, RejectsModulesThatAreNotPacksNamingTheFile) {
    std::string notLibrary = PackFile("NotALibrary");
    if (FILE* file = std::fopen(notLibrary.c_str(), "wb")) {
        std::fputs("This is a text file, not a module.\n", file);
        std::fclose(file);
    }
    PluginRegistry registry;
    std::string missing = PackFile("FixtureMissing");
    EXPECT_EQ(AddPackMessage(registry, missing), "Unable to load: " + missing);
    EXPECT_EQ(AddPackMessage(registry, notLibrary), "Unable to load: " + notLibrary);

    const char* invalid[] = {"FixtureWrongMagic", "FixtureNoGetMagic", "FixtureNoGetPluginCount",
                             "FixtureNoGetPluginInstance", "FixtureNoGetPluginPackName"};
    for (const char* name : invalid) {
        std::string file = PackFile(name);
        EXPECT_EQ(AddPackMessage(registry, file), "Invalid plugin: " + file);
    }
    EXPECT_EQ(PackCount(registry), 0) << "a rejected pack is never added";
    std::remove(notLibrary.c_str());
}

TEST(PluginRegistry, AddsAValidPackWithItsNameCountAndDescriptorsInIndexOrder) {
    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureValid").c_str());
    ASSERT_EQ(PackCount(registry), 1);
    registry.packs.MoveFirst();
    PluginPack* pack = registry.packs.GetCurrent();
    EXPECT_STREQ(pack->name.GetText(), "FixtureValid");
    EXPECT_EQ(pack->pluginCount, 4);
    EXPECT_EQ(PluginNames(pack), "OpenGLInit,OpenGLPrint,Optional,Bare");
    EXPECT_EQ(pack->getPluginInstance(4), nullptr);
    EXPECT_EQ(pack->getPluginInstance(-1), nullptr);
    EXPECT_EQ(pack->getPluginInstance(0), pack->getPluginInstance(0));

    PluginDescriptor* print = registry.FindPlugin("OpenGLPrint");
    EXPECT_EQ(print->plugin, pack->getPluginInstance(1));
    EXPECT_EQ(print->GetArgumentCount(), 3);
}

TEST(PluginRegistry, LooksNamesUpExactlyAndCaseSensitively) {
    PluginRegistry empty;
    EXPECT_EQ(FindMessage(empty, "OpenGLInit"), "Plugin OpenGLInit not found");

    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureValid").c_str());
    EXPECT_EQ(FindMessage(registry, "OpenGLInit"), "(found)");
    EXPECT_EQ(FindMessage(registry, "openglinit"), "Plugin openglinit not found");
    EXPECT_EQ(FindMessage(registry, "OpenGL"), "Plugin OpenGL not found");
    EXPECT_EQ(FindMessage(registry, "OpenGLInitX"), "Plugin OpenGLInitX not found");
    EXPECT_EQ(FindMessage(registry, ""), "Plugin  not found");
}

TEST(PluginRegistry, FirstPackAddedWinsAndEmptyPacksFailOver) {
    PluginRegistry registry;
    EXPECT_EQ(AddPackMessage(registry, PackFile("FixtureEmpty")), "");
    registry.AddPack(PackFile("FixtureDuplicateA").c_str());
    registry.AddPack(PackFile("FixtureDuplicateB").c_str());
    ASSERT_EQ(PackCount(registry), 3);

    EXPECT_STREQ(registry.FindPlugin("Shared")->argumentNames[0].GetText(), "fromA");
    EXPECT_STREQ(registry.FindPlugin("OnlyB")->name.GetText(), "OnlyB");
    EXPECT_STREQ(registry.FindPlugin("OnlyA")->name.GetText(), "OnlyA");

    PluginRegistry reversed;
    reversed.AddPack(PackFile("FixtureDuplicateB").c_str());
    reversed.AddPack(PackFile("FixtureDuplicateA").c_str());
    EXPECT_STREQ(reversed.FindPlugin("Shared")->argumentNames[0].GetText(), "fromB");
}

TEST(PluginRegistry, PackAddedAfterALookupStandsRightAfterTheFoundPack) {
    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureDuplicateB").c_str());
    registry.AddPack(PackFile("FixtureEmpty").c_str());
    registry.FindPlugin("OnlyB");
    registry.AddPack(PackFile("FixtureDuplicateA").c_str());

    std::string order;
    for (registry.packs.MoveFirst(); registry.packs.HasCurrent(); registry.packs.MoveNext()) {
        order += std::string(registry.packs.GetCurrent()->name.GetText()) + " ";
    }
    EXPECT_EQ(order, "FixtureDuplicateB FixtureDuplicateA FixtureEmpty ");
}

TEST(PluginRegistry, BadSignatureKeepsThePackWithTheDescriptorsBeforeIt) {
    struct Case {
        const char* pack;
        const char* message;
    } cases[] = {
        {"FixtureBadComma", "Missing ',' at plugin Bad definition."},
        {"FixtureBadDirection", "Invalid definition of plugin Bad, missing in/out type qualifier."},
        {"FixtureBadDefinition", "Invalid definition of plugin Bad."},
    };
    for (const Case& c : cases) {
        PluginRegistry registry;
        EXPECT_EQ(AddPackMessage(registry, PackFile(c.pack)), c.message);
        ASSERT_EQ(PackCount(registry), 1) << c.pack;
        registry.packs.MoveFirst();
        EXPECT_EQ(PluginNames(registry.packs.GetCurrent()), "BeforeBad") << c.pack;
        EXPECT_EQ(FindMessage(registry, "BeforeBad"), "(found)") << c.pack;
        EXPECT_EQ(FindMessage(registry, "AfterBad"), "Plugin AfterBad not found") << c.pack;
    }
}

TEST(PluginRegistry, NullPluginInstanceRejectsThePackNamingTheFile) {
    PluginRegistry registry;
    std::string file = PackFile("FixtureNullInstance");
    EXPECT_EQ(AddPackMessage(registry, file), "Invalid plugin: " + file);
    ASSERT_EQ(PackCount(registry), 1);
    registry.packs.MoveFirst();
    EXPECT_EQ(PluginNames(registry.packs.GetCurrent()), "First");
}

TEST(PluginRegistry, NullTextsFromAPackReadAsEmpty) {
    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureNullTexts").c_str());
    registry.packs.MoveFirst();
    PluginPack* pack = registry.packs.GetCurrent();
    EXPECT_STREQ(pack->name.GetText(), "");
    EXPECT_EQ(PluginNames(pack), ",NoSignature");
    EXPECT_EQ(registry.FindPlugin("")->GetArgumentCount(), 1);
    EXPECT_EQ(registry.FindPlugin("NoSignature")->GetArgumentCount(), 0);
}

TEST(PluginRegistry, CallsEntryPointsAndPluginsInContractOrder) {
    RecorderPackAccess recorders("FixtureRecorder");
    ASSERT_TRUE(recorders.IsValid());
    recorders.Reset();
    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureRecorder").c_str());
    EXPECT_EQ(recorders.Log(),
              "GetMagic GetPluginCount GetPluginPackName "
              "GetPluginInstance(0) Producer.GetName Producer.GetSignature "
              "GetPluginInstance(1) Consumer.GetName Consumer.GetSignature "
              "GetPluginInstance(2) Refuser.GetName Refuser.GetSignature");
}

TEST(PluginRegistry, ExceptionFromInsideAPackArrivesWithItsText) {
    PluginRegistry registry;
    registry.AddPack(PackFile("FixtureThrows").c_str());
    Plugin* thrower = registry.FindPlugin("Thrower")->plugin;
    try {
        thrower->Run();
        FAIL() << "Run of the throwing plugin returned";
    } catch (const Ombrel::Exception& e) {
        EXPECT_STREQ(e.message, "Thrower failed in FixtureThrows");
    }
}
