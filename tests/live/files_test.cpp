#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/exception.h"
#include "programs/live/file_watch.h"
#include "programs/live/private_folder.h"
#include "programs/support/process.h"

using namespace Ombrel::Live;

namespace fs = std::filesystem;

namespace {

WatchClock::time_point WatchAt(double seconds) {
    return WatchClock::time_point(
        std::chrono::duration_cast<WatchClock::duration>(std::chrono::duration<double>(seconds)));
}

std::string Folder(const char* name) {
    fs::path folder =
        fs::temp_directory_path() / (std::string("live-test-") + name + "-" +
                                     std::to_string(Ombrel::Tools::CurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

void Write(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST(FileWatch, AChangeCountsOnceTheFileHasStoodStillForTheSettlingTime) {
    std::string folder = Folder("watch");
    std::string file = folder + "/Pack.so";
    Write(file, "one");
    WatchedFile watch(file, 0.1, WatchAt(0));
    EXPECT_FALSE(watch.Changed(WatchAt(1))) << "the file as it was at the start is no change";
    Write(file, "two, longer");
    EXPECT_FALSE(watch.Changed(WatchAt(2))) << "just written: the writer may not be done";
    Write(file, "three, longer still");
    EXPECT_FALSE(watch.Changed(WatchAt(2.05)));
    EXPECT_FALSE(watch.Changed(WatchAt(2.1)));
    EXPECT_TRUE(watch.Changed(WatchAt(2.2)));
    EXPECT_FALSE(watch.Changed(WatchAt(3))) << "one change is told once";
    fs::remove(file);
    EXPECT_FALSE(watch.Changed(WatchAt(4)));
    EXPECT_TRUE(watch.Changed(WatchAt(4.2))) << "a file that went away has changed too";
    EXPECT_FALSE(StampOf(file).exists);

    std::string sources = folder + "/sources";
    fs::create_directories(sources + "/build");
    fs::create_directories(sources + "/.git");
    Write(sources + "/build/CMakeCache.txt", "");
    Write(sources + "/scene.cpp", "a");
    WatchedTree tree(sources, 0.1, WatchAt(10));
    Write(sources + "/build/out.o", "object");
    Write(sources + "/.git/index", "x");
    Write(sources + "/.scene.cpp.swp", "x");
    EXPECT_FALSE(tree.Changed(WatchAt(11)));
    EXPECT_FALSE(tree.Changed(WatchAt(12)))
        << "build folders, hidden files and folders do not count";
    Write(sources + "/scene.cpp", "ab");
    EXPECT_FALSE(tree.Changed(WatchAt(13)));
    EXPECT_TRUE(tree.Changed(WatchAt(13.2)));
    fs::remove_all(folder);
}

TEST(PrivateFolder, CopiesEachVersionToANameOfItsOwnAndClearsWhatEndedSessionsLeft) {
    std::string root = Folder("private");
    fs::create_directories(root + "/999999999");
    Write(root + "/999999999/Vantrope.1.so", "left by a killed session");
    fs::create_directories(root + "/not-a-session");
    std::string path = PrivateFolder::Make(root, Ombrel::Tools::CurrentProcessId());
    EXPECT_FALSE(fs::exists(root + "/999999999")) << "no such process runs";
    EXPECT_TRUE(fs::exists(root + "/not-a-session"));
    EXPECT_EQ(path, (fs::path(root) / std::to_string(Ombrel::Tools::CurrentProcessId())).string());

    PrivateFolder folder(path);
    std::string source = root + "/Vantrope.so";
    Write(source, "version one");
    std::string one = folder.Copy(source, 1);
    Write(source, "version two");
    std::string two = folder.Copy(source, 2);
    EXPECT_EQ(fs::path(one).filename(), "Vantrope.1.so");
    EXPECT_EQ(fs::path(two).filename(), "Vantrope.2.so");
    EXPECT_EQ(fs::file_size(one), 11u) << "each copy keeps its version";
    EXPECT_EQ(folder.CountFiles(), 2);
    EXPECT_THROW(folder.Copy(root + "/missing.so", 3), Ombrel::Exception);
    EXPECT_FALSE(fs::exists(folder.CopyName(root + "/missing.so", 3)));
    folder.RemoveAllBut({two});
    EXPECT_EQ(folder.CountFiles(), 1);
    EXPECT_TRUE(fs::exists(two));
    folder.RemoveFolder();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_THROW(folder.Copy(source, 3), Ombrel::Exception) << "the folder has gone";
    EXPECT_TRUE(folder.MakeAgainIfMissing());
    EXPECT_FALSE(folder.MakeAgainIfMissing()) << "it is there now";
    EXPECT_EQ(fs::file_size(folder.Copy(source, 3)), 11u) << "copies go into it again";
    fs::remove_all(root);
}

}  // namespace
