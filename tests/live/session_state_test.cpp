#include "programs/live/session_state.h"

#include <gtest/gtest.h>

#include "foundation/exception.h"

using namespace Ombrel::Live;

namespace {

PackVersion Version(int number, const char* stamp, long long order) {
    PackVersion version;
    version.number = number;
    version.order = order;
    version.copy = "C:\\private folder\\Vantrope." + std::to_string(number) + ".dll";
    version.stamp = stamp;
    return version;
}

SessionState Running() {
    SessionState state;
    state.time = 12.5;
    state.playing = false;
    state.looping = true;
    state.loopStart = 1.0 / 3.0;
    state.loopEnd = 2.0;
    state.speed = 0.25;
    state.endLoops = true;
    state.snap = 2;
    state.nextOrder = 9;
    state.folder = "/tmp/with\ttab\nand line";
    state.control = "\\\\.\\pipe\\ombrel-live-7";
    PackState scene;
    scene.name = "Vantrope.so";
    scene.current = Version(5, "100:5", 6);
    scene.previous = Version(3, "100:3", 4);
    scene.nextVersion = 6;
    scene.crashedStamps = {"100:4"};
    PackState device;
    device.name = "Kestrelia.so";
    device.current = Version(1, "200:1", 1);
    device.nextVersion = 2;
    state.packs = {scene, device};
    return state;
}

TEST(SessionState, GoesThroughOneLineAndBackUnchanged) {
    SessionState state = Running();
    state.trialPack = "Vantrope.so";
    state.trial = Version(8, "100:8", 9);
    std::string line = state.Line();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    SessionState back = SessionState::Parse(line);
    EXPECT_EQ(back.Line(), line);
    EXPECT_EQ(back.folder, state.folder);
    EXPECT_DOUBLE_EQ(back.loopStart, state.loopStart);
    ASSERT_EQ(back.packs.size(), 2u);
    EXPECT_EQ(back.packs[0].previous.copy, state.packs[0].previous.copy);
    EXPECT_EQ(back.packs[0].crashedStamps, state.packs[0].crashedStamps);
    EXPECT_DOUBLE_EQ(back.speed, 0.25);
    EXPECT_TRUE(back.endLoops);
    EXPECT_EQ(back.snap, 2);
    state.speed = 2.0;
    EXPECT_THROW(SessionState::Parse(state.Line()), Ombrel::Exception) << "no such speed";
    state.speed = 1.0;
    state.snap = 3;
    EXPECT_THROW(SessionState::Parse(state.Line()), Ombrel::Exception) << "no such snapping";
    EXPECT_EQ(back.packs[0].nextVersion, 6);
    EXPECT_EQ(back.packs[0].current.order, 6);
    EXPECT_THROW(SessionState::Parse("state 1 2"), Ombrel::Exception);
    EXPECT_THROW(SessionState::Parse(line.substr(0, line.size() / 2)), Ombrel::Exception);
}

TEST(SessionState, ACrashIsBlamedOnTheVersionOnTrialElseTheNewestRunning) {
    SessionState state = Running();
    state.trialPack = "Vantrope.so";
    state.trial = Version(8, "100:8", 9);
    ASSERT_TRUE(state.BlameCrash("signal 11"));
    EXPECT_EQ(state.packs[0].current.number, 5) << "the running version stays";
    EXPECT_EQ(state.packs[0].crashedStamps.back(), "100:8");
    EXPECT_TRUE(state.trialPack.empty());
    EXPECT_NE(state.crashNote.find("Vantrope.so version 8 crashed the session (signal 11); "
                                   "going on with version 5 at 12.50 s"),
              std::string::npos)
        << state.crashNote;

    ASSERT_TRUE(state.BlameCrash("signal 6"));
    EXPECT_EQ(state.packs[0].current.number, 3) << "the newest running gives way to the one before";
    EXPECT_EQ(state.packs[0].previous.number, 0);
    ASSERT_TRUE(state.BlameCrash("signal 6"));
    ASSERT_TRUE(state.BlameCrash("signal 6"));
    EXPECT_EQ(state.packs[1].current.number, 0);
    EXPECT_NE(state.crashNote.find("going on without it"), std::string::npos);
    EXPECT_FALSE(state.BlameCrash("signal 6")) << "nothing left to blame: no loop of restarts";
}

// Each pack counts its versions on its own: the newest is the one loaded
// last, whatever its number.
TEST(SessionState, TheNewestRunningIsTheOneLoadedLastNotTheOneWithTheHighestNumber) {
    SessionState state = Running();
    state.packs[1].previous = state.packs[1].current;
    state.packs[1].current = Version(2, "200:2", 7);
    ASSERT_TRUE(state.BlameCrash("signal 11"));
    EXPECT_EQ(state.packs[1].current.number, 1) << state.crashNote;
    EXPECT_EQ(state.packs[0].current.number, 5);
    EXPECT_NE(state.crashNote.find("Kestrelia.so version 2 crashed"), std::string::npos)
        << state.crashNote;
}

}  // namespace
