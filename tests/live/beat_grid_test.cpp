#include "programs/live/beat_grid.h"

#include <gtest/gtest.h>

using namespace Ombrel::Live;

namespace {

// 120 beats a minute from 0.1 s, three beats a bar: beats at 0.1, 0.6, 1.1...
const BeatGrid Waltz = {120.0, 0.1, 3};

TEST(BeatGrid, SnapsToTheNearestBeatOrFrameAndNeverBeforeZero) {
    EXPECT_DOUBLE_EQ(NearestBeat(Waltz, 1.3), 1.1);
    EXPECT_DOUBLE_EQ(NearestBeat(Waltz, 1.4), 1.6);
    EXPECT_DOUBLE_EQ(NearestBeat(Waltz, 100.0), 100.1);
    EXPECT_DOUBLE_EQ(NearestBeat(Waltz, 0.0), 0.1);
    EXPECT_DOUBLE_EQ(NearestBeat(BeatGrid{60.0, 0.9, 4}, 0.0), 0.9) << "not the beat at -0.1";
    EXPECT_DOUBLE_EQ(NearestBeat(BeatGrid{60.0, 2.5, 4}, 0.7), 0.5) << "the grid reaches back";
    EXPECT_DOUBLE_EQ(NearestFrame(1.0 / 60.0 * 7.4, 60.0), 7.0 / 60.0);
    EXPECT_DOUBLE_EQ(NearestFrame(-0.001, 60.0), 0.0);
    EXPECT_DOUBLE_EQ(Snap(SnapMode::Beats, &Waltz, 60.0, 1.3), 1.1);
    EXPECT_DOUBLE_EQ(Snap(SnapMode::Beats, nullptr, 60.0, 1.3), 1.3) << "no grid: as it is";
    EXPECT_DOUBLE_EQ(Snap(SnapMode::Frames, &Waltz, 30.0, 1.01), 1.0);
    EXPECT_DOUBLE_EQ(Snap(SnapMode::Off, &Waltz, 60.0, 1.3), 1.3);
}

TEST(BeatGrid, TellsTheBarAndBeatOfATimeAndListsTheBeatsOfARange) {
    struct Case {
        double seconds;
        long long bar;
        int beat;
    } cases[] = {{0.1, 1, 1}, {0.59, 1, 1},       {0.6, 1, 2},  {1.1, 1, 3},
                 {1.6, 2, 1}, {1.6 - 1e-9, 2, 1}, {0.05, 0, 3}, {16.1, 11, 3}};
    for (const Case& c : cases) {
        BeatPlace place = PlaceOnGrid(Waltz, c.seconds);
        EXPECT_EQ(place.bar, c.bar) << c.seconds;
        EXPECT_EQ(place.beat, c.beat) << c.seconds;
    }
    std::vector<GridBeat> beats = BeatsBetween(Waltz, -5.0, 1.6);
    ASSERT_EQ(beats.size(), 4u);
    EXPECT_DOUBLE_EQ(beats[0].time, 0.1);
    EXPECT_TRUE(beats[0].barStart);
    EXPECT_FALSE(beats[1].barStart);
    EXPECT_DOUBLE_EQ(beats[3].time, 1.6);
    EXPECT_TRUE(beats[3].barStart);
    EXPECT_EQ(BeatsBetween(Waltz, 0.0, 1e7, 50).size(), 50u) << "a long range is cut";
    EXPECT_TRUE(BeatsBetween(Waltz, 0.2, 0.5).empty());
}

}  // namespace
