#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/exception.h"
#include "plugin/module.h"
#include "plugin/pack.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Whether the loader holds the file mapped into the process.
bool Mapped(const std::string& path) {
#ifdef _WIN32
    return GetModuleHandleA(path.c_str()) != nullptr;
#else
    std::ifstream maps("/proc/self/maps");
    std::string canonical = fs::canonical(path).string();
    for (std::string line; std::getline(maps, line);)
        if (line.find(canonical) != std::string::npos) return true;
    return false;
#endif
}

std::string CopyOf(const char* fixture, const char* name) {
    fs::path copy = fs::absolute(fs::path("live-unload") / name);
    fs::create_directories(copy.parent_path());
    fs::copy_file(std::string(fixture) + OMBREL_PACK_SUFFIX, copy,
                  fs::copy_options::overwrite_existing);
    return copy.string();
}

TEST(PackUnload, UnloadingAPackUnmapsItsModuleAndItLoadsAgainAfresh) {
    std::string copy = CopyOf("FixtureValid", "Valid.1" OMBREL_PACK_SUFFIX);
    for (int round = 0; round < 3; ++round) {
        PluginPack* pack = new PluginPack(copy.c_str());
        pack->LoadPlugins();
        EXPECT_TRUE(Mapped(copy));
        PluginPack::Unload(pack);
        EXPECT_FALSE(Mapped(copy)) << "round " << round;
    }
    EXPECT_TRUE(fs::remove(copy)) << "a file no longer loaded can be removed, on Windows too";
}

TEST(PackUnload, AModuleThePackRefusedIsLetGoByLoadingItOnceMoreAndGivingBothBack) {
    std::string copy = CopyOf("FixtureWrongMagic", "WrongMagic.1" OMBREL_PACK_SUFFIX);
    EXPECT_THROW(new PluginPack(copy.c_str()), Ombrel::Exception);
    EXPECT_TRUE(Mapped(copy)) << "the host's pack leaves a refused module loaded";
    ModuleHandle again = LoadModule(copy.c_str());
    ASSERT_NE(again, nullptr);
    UnloadModule(again);
    UnloadModule(again);
    EXPECT_FALSE(Mapped(copy));
    fs::remove(copy);
}

}  // namespace
