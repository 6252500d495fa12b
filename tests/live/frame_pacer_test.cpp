#include "programs/live/frame_pacer.h"

#include <gtest/gtest.h>

using namespace Ombrel::Live;

namespace {

using Clock = FramePacer::Clock;

Clock::time_point Ms(double ms) {
    return Clock::time_point(
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(ms)));
}

double MsOf(Clock::time_point at) {
    return std::chrono::duration<double, std::milli>(at.time_since_epoch()).count();
}

TEST(FramePacer, SpacesFramesByThePeriodWithoutCatchingUpAfterALateOne) {
    FramePacer pacer(50.0);
    EXPECT_DOUBLE_EQ(MsOf(pacer.Next(Ms(1000))), 1000) << "the first frame starts the count";
    EXPECT_NEAR(MsOf(pacer.Next(Ms(1005))), 1020, 1e-3) << "a quick frame waits";
    EXPECT_NEAR(MsOf(pacer.Next(Ms(1041))), 1041, 1e-3) << "a little late: at once";
    EXPECT_NEAR(MsOf(pacer.Next(Ms(1050))), 1060, 1e-3) << "and the count holds";
    EXPECT_NEAR(MsOf(pacer.Next(Ms(1300))), 1300, 1e-3) << "very late: at once";
    EXPECT_NEAR(MsOf(pacer.Next(Ms(1301))), 1320, 1e-3) << "with no burst after it";

    FramePacer uncapped(0.0);
    EXPECT_DOUBLE_EQ(MsOf(uncapped.Next(Ms(7))), 7);
    EXPECT_DOUBLE_EQ(MsOf(uncapped.Next(Ms(8))), 8);
}

TEST(FramePacer, TheRateIsTheOneAskedElseTheDisplaysElseSixty) {
    EXPECT_EQ(ChosenFrameRate(0, 144), 0) << "--fps 0: no cap";
    EXPECT_EQ(ChosenFrameRate(30, 144), 30);
    EXPECT_EQ(ChosenFrameRate(-1, 144), 144);
    EXPECT_EQ(ChosenFrameRate(-1, 0), 60) << "an unknown refresh";
    EXPECT_EQ(ChosenFrameRate(-1, 1), 60) << "a refresh no display has";
}

}  // namespace
