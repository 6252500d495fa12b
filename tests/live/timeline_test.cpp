#include "programs/live/timeline.h"

#include <gtest/gtest.h>

using namespace Ombrel::Live;

namespace {

using Clock = Timeline::Clock;

Clock::time_point At(double seconds) {
    return Clock::time_point(
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
}

TEST(Timeline, PlaysPausesAndJumpsWithTheMusicToldOfEachChange) {
    Timeline timeline(2.0, true, At(100));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(101.5)), 3.5);
    unsigned changes = timeline.Changes();
    timeline.Pause(At(102));
    EXPECT_DOUBLE_EQ(timeline.Time(), 4.0);
    EXPECT_DOUBLE_EQ(timeline.Advance(At(110)), 4.0) << "a paused clock stands still";
    timeline.Step(-10.0, At(111));
    EXPECT_DOUBLE_EQ(timeline.Time(), 0.0) << "stepping back stops at the start";
    timeline.Seek(7.25, At(112));
    timeline.Play(At(113));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(114)), 8.25);
    EXPECT_EQ(timeline.Changes(), changes + 4);
    EXPECT_DOUBLE_EQ(timeline.AnchorSeconds(), 7.25);
    EXPECT_EQ(timeline.AnchorAt(), At(113)) << "the music keeps to the moment play began";
}

TEST(Timeline, GoesRoundTheLoopOnlyWhenItCrossesTheEnd) {
    Timeline timeline(0.0, true, At(0));
    ASSERT_TRUE(timeline.SetLoop(1.0, 2.0, At(0)));
    EXPECT_DOUBLE_EQ(timeline.Time(), 1.0) << "a clock outside the loop goes to its start";
    EXPECT_DOUBLE_EQ(timeline.Advance(At(0.5)), 1.5);
    unsigned changes = timeline.Changes();
    EXPECT_NEAR(timeline.Advance(At(1.25)), 1.25, 1e-9);
    EXPECT_EQ(timeline.Changes(), changes + 1) << "going round is a jump the music follows";
    timeline.Seek(5.0, At(2));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(3)), 6.0) << "sent past the end, it plays on";
    EXPECT_FALSE(timeline.SetLoop(3.0, 3.0, At(3)));
    EXPECT_FALSE(timeline.SetLoop(-1.0, 3.0, At(3)));
}

TEST(Timeline, KeysMarkTheLoopAtTheCurrentTime) {
    Timeline timeline(4.0, false, At(0));
    ASSERT_TRUE(timeline.MarkLoopEnd(At(0))) << "] alone loops from the start";
    EXPECT_DOUBLE_EQ(timeline.LoopStart(), 0.0);
    EXPECT_DOUBLE_EQ(timeline.LoopEnd(), 4.0);
    timeline.ClearLoop();
    timeline.Seek(3.0, At(0));
    EXPECT_TRUE(timeline.MarkLoopStart(At(0)));
    EXPECT_FALSE(timeline.Looping()) << "only the start is set";
    timeline.Seek(2.0, At(0));
    EXPECT_FALSE(timeline.MarkLoopEnd(At(0))) << "an end before the start is refused";
    timeline.Seek(3.5, At(0));
    ASSERT_TRUE(timeline.MarkLoopEnd(At(0)));
    EXPECT_TRUE(timeline.Looping());
    EXPECT_DOUBLE_EQ(timeline.LoopStart(), 3.0);
    EXPECT_DOUBLE_EQ(timeline.LoopEnd(), 3.5);
    EXPECT_DOUBLE_EQ(timeline.Time(), 3.0) << "at the end, the clock goes round at once";
    timeline.ClearLoop();
    EXPECT_FALSE(timeline.Looping());
}

}  // namespace

namespace {

TEST(Timeline, SlowMotionAdvancesAtItsSpeedAndTheMusicIsToldOfTheChange) {
    Timeline timeline(10.0, true, At(0));
    unsigned changes = timeline.Changes();
    timeline.SetSpeed(0.25, At(2));
    EXPECT_EQ(timeline.Changes(), changes + 1);
    EXPECT_DOUBLE_EQ(timeline.Time(), 12.0);
    EXPECT_DOUBLE_EQ(timeline.Advance(At(6)), 13.0);
    timeline.SetSpeed(1.0, At(6));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(7)), 14.0);
}

TEST(Timeline, StepsByFramesFromTheNearestFramePausedFirst) {
    Timeline timeline(1.004, true, At(0));
    timeline.StepFrames(1, 60.0, At(1));
    EXPECT_FALSE(timeline.Playing());
    EXPECT_DOUBLE_EQ(timeline.Time(), 121.0 / 60.0) << "2.004 s is frame 120; one on";
    timeline.StepFrames(-3, 60.0, At(2));
    EXPECT_DOUBLE_EQ(timeline.Time(), 118.0 / 60.0);
    timeline.StepFrames(-1000, 60.0, At(3));
    EXPECT_DOUBLE_EQ(timeline.Time(), 0.0);
}

TEST(Timeline, StopsAtTheEndOfTheMusicOrGoesRoundToTheStart) {
    Timeline timeline(4.0, false, At(0));
    timeline.SetEnd(6.0, At(0));
    timeline.Step(10.0, At(0));
    EXPECT_DOUBLE_EQ(timeline.Time(), 6.0) << "a step stops at the end";
    EXPECT_TRUE(timeline.AtEnd());
    timeline.Seek(80.0, At(0));
    EXPECT_DOUBLE_EQ(timeline.Time(), 6.0) << "so does a seek";
    timeline.Seek(5.0, At(0));
    timeline.Play(At(0));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(3)), 6.0);
    EXPECT_FALSE(timeline.Playing()) << "the clock stops at the end";
    EXPECT_TRUE(timeline.AtEnd());
    timeline.Play(At(4));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(5)), 1.0) << "play at the end starts again at 0";

    timeline.SetEndMode(Timeline::EndMode::Loop);
    unsigned changes = timeline.Changes();
    EXPECT_NEAR(timeline.Advance(At(10.5)), 0.5, 1e-9);
    EXPECT_TRUE(timeline.Playing()) << "it goes round and plays on";
    EXPECT_EQ(timeline.Changes(), changes + 1) << "a jump the music follows";

    ASSERT_TRUE(timeline.SetLoop(5.0, 9.0, At(11)));
    EXPECT_NEAR(timeline.Advance(At(12.5)), 5.5, 1e-9)
        << "a loop past the music goes round at its end";
    ASSERT_TRUE(timeline.SetLoop(1.0, 2.0, At(12.5)));
    EXPECT_NEAR(timeline.Advance(At(14)), 1.5, 1e-9) << "the loop goes round before the end";
    timeline.SetEnd(0.0, At(14));
    timeline.ClearLoop();
    timeline.Seek(100.0, At(14));
    EXPECT_DOUBLE_EQ(timeline.Advance(At(15)), 101.0) << "with no end known, it runs on";
}

}  // namespace
