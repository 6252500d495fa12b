#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "packs/opengl/frame_rate.h"

namespace {
FrameRate Started() {
    FrameRate rate;
    rate.frames = 5.0f;
    rate.lastTime = 3.0f;
    rate.framesPerSecond = 1.0f;
    rate.Start();
    return rate;
}
}  // namespace

TEST(FrameRate, StartMeansNotMeasuredYet) {
    FrameRate rate = Started();
    EXPECT_EQ(999.0f, rate.framesPerSecond);
    EXPECT_EQ(0.0f, rate.frames);
    EXPECT_EQ(0.0f, rate.lastTime);
}

TEST(FrameRate, StaysAt999UntilAFullSecondHasPassed) {
    FrameRate rate = Started();
    for (float time : {0.0f, 0.25f, 0.5f, 0.999f}) {
        rate.CountFrame(time);
        EXPECT_EQ(999.0f, rate.framesPerSecond) << "at time " << time;
    }
    EXPECT_EQ(4.0f, rate.frames);
    EXPECT_EQ(0.0f, rate.lastTime);
}

TEST(FrameRate, AFullSecondGivesFramesOverElapsedTimeAndRestartsCounting) {
    FrameRate rate = Started();
    rate.CountFrame(0.5f);
    rate.CountFrame(1.0f);  // exactly one second: this frame is counted too
    EXPECT_EQ(2.0f, rate.framesPerSecond);
    EXPECT_EQ(0.0f, rate.frames);
    EXPECT_EQ(1.0f, rate.lastTime);

    for (int i = 0; i < 59; ++i) rate.CountFrame(1.5f);
    rate.CountFrame(2.5f);  // 60 frames over 1.5 s
    EXPECT_FLOAT_EQ(40.0f, rate.framesPerSecond);
    EXPECT_EQ(2.5f, rate.lastTime);
}

TEST(FrameRate, ATimeThatDoesNotAdvanceKeepsCountingAndKeepsTheRate) {
    FrameRate rate = Started();
    rate.CountFrame(2.0f);
    EXPECT_EQ(1.0f / 2.0f, rate.framesPerSecond);
    for (int i = 0; i < 100; ++i) rate.CountFrame(2.0f);
    EXPECT_EQ(100.0f, rate.frames);
    EXPECT_EQ(0.5f, rate.framesPerSecond);
    // A clock that goes back is not a full second either.
    rate.CountFrame(1.0f);
    EXPECT_EQ(101.0f, rate.frames);
    EXPECT_EQ(0.5f, rate.framesPerSecond);
}

TEST(StatusText, ShowsTheRateAndTheCount) {
    StatusText status;
    EXPECT_STREQ("", status.GetText());
    EXPECT_STREQ("  60 32", status.Build(60.0f, 32));
    EXPECT_STREQ(" 999 0", status.Build(999.0f, 0));
    EXPECT_STREQ(" 1000 -5", status.Build(999.6f, -5));
    EXPECT_STREQ("  60 32", status.Build(60.0f, 32));
    status.Build(1.0f, 1);
    EXPECT_STREQ("   1 1", status.GetText()) << "GetText shows the text last built";
}

TEST(StatusText, AnOverlongTextIsCutAt31Characters) {
    StatusText status;
    const char* text = status.Build(3.0e38f, INT_MIN);
    EXPECT_EQ(31u, std::strlen(text));
    EXPECT_EQ(0, std::strncmp(" 3000000", text, 8)) << text;
}
