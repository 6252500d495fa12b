// Files that stand where a pack is expected but are not one, and packs whose
// plugin count does not match what they hold.
#include <cstdio>
#include <fstream>
#include <string>

#include "plugin/call.h"
#include "tests/hostile/hostile_support.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Writes `bytes` beside the test program under a pack's file name, where the
// loader's search for a bare name finds it, and removes it afterwards.
class FakePackFile {
public:
    FakePackFile(const char* name, const std::string& bytes) : file(PackFile(name)) {
        std::ofstream(file, std::ios::binary).write(bytes.data(), bytes.size());
    }
    ~FakePackFile() { std::remove(file.c_str()); }
    const std::string file;
};

std::string Noise(size_t size) {
    std::string bytes(size, '\0');
    unsigned int state = 12345u;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

// Each file is refused by the loader, with the pack's message naming it.
void ExpectUnableToLoad(const char* name, const std::string& bytes) {
    FakePackFile fake(name, bytes);
    PluginRegistry registry;
    EXPECT_EQ("Unable to load: " + fake.file,
              MessageOf([&] { registry.AddPack(fake.file.c_str()); }));
    EXPECT_EQ(0, CountPacks(registry)) << fake.file;
}

TEST(HostilePackFiles, FilesThatAreNotLibrariesAreUnableToLoadAndAddNothing) {
    ExpectUnableToLoad("HostileEmptyFile", "");
    ExpectUnableToLoad("HostileTextFile", "This is a text file with a pack's name, not a pack.\n");
    ExpectUnableToLoad("HostileNoise", Noise(8192));
}

// A real pack cut after its first kilobyte: its headers promise segments that
// the file no longer holds. Handed to the loader as it is, such a file would be
// mapped past its end and kill the process with a bus error; it must be
// refused as a file that cannot be loaded.
TEST(HostilePackFiles, ALibraryCutShortIsUnableToLoad) {
    const std::string realPack = ReadFile(PackFile("HostileScene"));
    ASSERT_GT(realPack.size(), 4096u) << "the hostile scene pack was not built beside the tests";
    ExpectUnableToLoad("HostileCutLibrary", realPack.substr(0, 1024));
}

TEST(HostilePackFiles, ANegativePluginCountGivesAPackWithoutPlugins) {
    PluginRegistry registry;
    registry.AddPack(PackFile("HostileNegativeCount").c_str());
    ASSERT_EQ(1, CountPacks(registry));
    EXPECT_EQ(-1, (*registry.packs.begin())->pluginCount);
    EXPECT_EQ("Plugin Alone not found", MessageOf([&] { registry.FindPlugin("Alone"); }));

    // The demo's calls then reach no plugin and never fail.
    PluginCall call(registry, "Alone");
    EXPECT_EQ(nullptr, call.plugin);
    call.StartIfDue(0.0f);
    EXPECT_FALSE(call.Prepare());
}

// The pack has one plugin but claims 2147483647: the index past its table
// answers null, and the pack is rejected there instead of being read past it.
TEST(HostilePackFiles, APackClaimingMorePluginsThanItHasIsInvalid) {
    PluginRegistry registry;
    const std::string file = PackFile("HostileHugeCount");
    EXPECT_EQ("Invalid plugin: " + file, MessageOf([&] { registry.AddPack(file.c_str()); }));
}

}  // namespace
