#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "audio/audio.h"

namespace {

const int Rate = 44100;

std::unique_ptr<MusicStream> OpenTrack() {
    std::ifstream file(LIVE_TRACK, std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
    return MusicStream::Create(std::move(data), Rate);
}

std::vector<float> Play(MusicStream& music, int frames) {
    std::vector<float> mix(2 * static_cast<std::size_t>(frames), 0.0f);
    music.Play(false);
    music.MixInto(mix.data(), frames);
    return mix;
}

TEST(MusicSeek, LandsOnTheExactFrameAsPlayingFromTheStartWould) {
    std::unique_ptr<MusicStream> whole = OpenTrack();
    ASSERT_TRUE(whole) << "the test music " << LIVE_TRACK << " does not open";
    std::vector<float> all = Play(*whole, 6 * Rate);
    for (double seconds : {3.5, 0.0, 12345.0 / Rate, 1.0 + 1.0 / Rate, 5.99}) {
        std::unique_ptr<MusicStream> music = OpenTrack();
        ASSERT_TRUE(music->Seek(seconds)) << seconds;
        std::vector<float> part = Play(*music, 512);
        std::size_t from = 2 * static_cast<std::size_t>(std::lround(seconds * Rate));
        int differing = 0;
        for (std::size_t i = 0; i < part.size() && from + i < all.size(); ++i)
            differing += std::fabs(part[i] - all[from + i]) > 1e-4f;
        EXPECT_EQ(differing, 0) << "after a seek to " << seconds << " s";
    }
}

TEST(MusicSeek, TheClickOfFourSecondsComesHalfASecondAfterSeekingToThreeAndAHalf) {
    std::unique_ptr<MusicStream> music = OpenTrack();
    ASSERT_TRUE(music->Seek(3.5));
    std::vector<float> part = Play(*music, Rate);
    std::size_t click = 0;
    while (click < part.size() / 2 && std::fabs(part[2 * click]) < 0.25f) ++click;
    EXPECT_NEAR(static_cast<double>(click), Rate / 2.0, 2.0);
}

TEST(MusicSeek, PastTheEndTheMusicHasEndedAndASeekBackPlaysAgain) {
    std::unique_ptr<MusicStream> music = OpenTrack();
    EXPECT_FALSE(music->Seek(7.0));
    EXPECT_TRUE(music->HasEnded());
    EXPECT_FALSE(music->IsPlaying());
    EXPECT_FALSE(music->Seek(-1.0));
    ASSERT_TRUE(music->Seek(1.0));
    EXPECT_FALSE(music->HasEnded());
    std::vector<float> part = Play(*music, 64);
    EXPECT_GT(std::fabs(part[2]), 0.25f) << "the click of 1 s is there";
}

}  // namespace
