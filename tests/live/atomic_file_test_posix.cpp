#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "foundation/exception.h"
#include "programs/live/atomic_file.h"
#include "programs/support/process.h"

using namespace Ombrel::Live;

namespace {

TEST(AtomicFile, APlantedLinkIsNeverWrittenThroughNorAPipeRead) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "ombrel-atomic-link";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string file = (folder / "markers.txt").string();
    std::filesystem::path victim = folder / "victim";
    std::ofstream(victim) << "untouched";
    std::filesystem::create_symlink(victim, file + "." + Ombrel::Tools::ProcessName() + ".part");
    WriteFileAtomically(file, "1.000 a\n");
    std::string text;
    ASSERT_TRUE(ReadSmallFile(victim.string(), 100, text));
    EXPECT_EQ(text, "untouched");
    ASSERT_TRUE(ReadSmallFile(file, 100, text));
    EXPECT_EQ(text, "1.000 a\n");
    EXPECT_FALSE(std::filesystem::is_symlink(file));

    std::string pipe = (folder / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(ReadSmallFile(pipe, 100, text), Ombrel::Exception) << "a pipe would block";
    std::filesystem::remove_all(folder);
}

}  // namespace
