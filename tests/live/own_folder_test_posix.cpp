// The private folder's guards against other users: every step of its path
// checked without following links, the clean-up that never goes through a
// link, and the control socket's check of its client's user.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/exception.h"
#include "programs/live/own_folder.h"
#include "programs/live/private_folder.h"
#include "programs/live/socket_peer_posix.h"

using namespace Ombrel::Live;

namespace fs = std::filesystem;

namespace {

std::string Refusal(const std::string& folder, int ownSteps = 1) {
    try {
        MakeOwnFolder(folder, ownSteps);
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
    return "";
}

class OwnFolder : public ::testing::Test {
protected:
    void SetUp() override {
        base =
            (fs::temp_directory_path() / ("own-folder-test-" + std::to_string(getpid()))).string();
        fs::remove_all(base);
        fs::create_directory(base);
        chmod(base.c_str(), 0755);
    }
    void TearDown() override { fs::remove_all(base); }
    std::string base;
};

TEST_F(OwnFolder, IsMadeForThisUserAloneAndRefusedWhenAnyStepCouldBeChangedByOthers) {
    std::string sound = base + "/sound/42";
    EXPECT_EQ(Refusal(sound, 2), "");
    struct stat about;
    ASSERT_EQ(stat(sound.c_str(), &about), 0);
    EXPECT_EQ(about.st_mode & 0777, 0700u);
    EXPECT_EQ(Refusal(sound, 2), "") << "the same folder again, as a restarted session finds it";

    std::string open = base + "/open";
    fs::create_directory(open);
    chmod(open.c_str(), 0777);
    EXPECT_EQ(Refusal(open),
              "Unsafe private folder " + open + ": others can write in " + open + " (mode 0777)");
    EXPECT_NE(Refusal(open + "/42", 2).find("others can write in " + open), std::string::npos);
    EXPECT_FALSE(fs::exists(open + "/42")) << "nothing is made in a folder that fails";

    // Above the user's own folders, a shared one is safe only where each user
    // can remove their own entries alone (the sticky bit, as /tmp has).
    chmod(open.c_str(), 01777);
    EXPECT_EQ(Refusal(open + "/mine"), "");
    chmod(open.c_str(), 0777);
    EXPECT_NE(Refusal(open + "/mine"), "");

    std::string link = base + "/link";
    fs::create_directory_symlink(base + "/sound", link);
    EXPECT_EQ(Refusal(link), "Unsafe private folder " + link + ": " + link + " is a symbolic link");
    EXPECT_NE(Refusal(link + "/42", 2).find(link + " is a symbolic link"), std::string::npos)
        << "a link is refused at every step, not only the last";

    std::ofstream(base + "/file") << "not a folder";
    EXPECT_NE(Refusal(base + "/file").find("is not a folder"), std::string::npos);

    if (getuid() == 0) {  // only the system's administrator can give a folder away
        std::string theirs = base + "/theirs";
        fs::create_directory(theirs);
        chmod(theirs.c_str(), 0700);
        ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
        EXPECT_EQ(Refusal(theirs), "Unsafe private folder " + theirs + ": " + theirs +
                                       " belongs to user 65534, not to user 0");
        EXPECT_NE(Refusal(theirs + "/mine").find("belongs to user 65534, neither"),
                  std::string::npos);
    }
}

TEST_F(OwnFolder, TheCleanUpRemovesEndedSessionsOfThisUserButNeverGoesThroughALink) {
    std::string root = base + "/root";
    std::string victim = base + "/victim";
    fs::create_directories(victim + "/999999998");
    fs::create_directories(root + "/999999999");
    fs::create_directory_symlink(victim + "/999999998", root + "/999999998");
    chmod(root.c_str(), 0700);
    PrivateFolder::Make(root, getpid());
    EXPECT_FALSE(fs::exists(root + "/999999999")) << "no such process runs";
    EXPECT_TRUE(fs::exists(victim + "/999999998")) << "what a link points to is not removed";

    chmod(root.c_str(), 0777);
    EXPECT_THROW(PrivateFolder::Make(root, getpid()), Ombrel::Exception);
    EXPECT_THROW(PrivateFolder folder(root + "/" + std::to_string(getpid())), Ombrel::Exception);
}

// A link planted where the session's folder was removed is never taken for
// it: nothing is copied through it.
TEST_F(OwnFolder, APrivateFolderMadeAgainIsCheckedAsAtTheStart) {
    std::string session = base + "/root/7";
    PrivateFolder folder(session);
    fs::remove_all(session);
    fs::create_directory(base + "/elsewhere");
    fs::create_directory_symlink(base + "/elsewhere", session);
    EXPECT_THROW(folder.MakeAgainIfMissing(), Ombrel::Exception);
    fs::remove(session);
    EXPECT_TRUE(folder.MakeAgainIfMissing());
    EXPECT_EQ(Refusal(session, 2), "");
}

TEST(ControlSocketPeer, OnlyTheSessionsOwnUserIsServed) {
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    EXPECT_EQ(RefusedPeer(ends[0], getuid()), "");
    uid_t other = getuid() + 1;
    EXPECT_EQ(RefusedPeer(ends[0], other), "refused: user " + std::to_string(getuid()) +
                                               " may not control the live session of user " +
                                               std::to_string(other));
    close(ends[0]);
    close(ends[1]);
}

}  // namespace
