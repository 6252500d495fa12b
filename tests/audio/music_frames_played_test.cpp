#include "audio/music_frames_played.h"

#include <gtest/gtest.h>

#include <vector>

#include "audio/mixer.h"
#include "media.h"
#include "signal.h"

// The count of music frames played grows by the frames of each device buffer
// that carried music: not while nothing plays, not while stopped, and no
// further than the stream's end.
TEST(MusicFramesPlayed, CountsOnlyTheBuffersShareOfPlayingMusic) {
    const int rate = 44100, buffer = 1024;
    std::vector<std::int16_t> samples(2 * buffer);
    Mixer mixer;
    std::uint32_t handle = mixer.Add(MusicStream::Create(ReadBytes(MediaPath(ShortFile)), rate));
    ASSERT_NE(0u, handle);
    auto render = [&](int buffers) {
        std::uint64_t before = OmbrelMusicFramesPlayed();
        for (int i = 0; i < buffers; ++i) mixer.Render(samples.data(), buffer);
        return OmbrelMusicFramesPlayed() - before;
    };

    EXPECT_EQ(0u, render(4)) << "counted while no stream plays";
    mixer.With(handle, [](MusicStream& s) { s.Play(false); });
    EXPECT_EQ(4u * buffer, render(4));
    mixer.StopAll();
    EXPECT_EQ(0u, render(2)) << "counted while stopped";
    mixer.With(handle, [](MusicStream& s) { s.Play(false); });
    std::uint64_t rest = render(rate / buffer);
    EXPECT_NEAR(ShortSeconds * rate, 4.0 * buffer + rest, rate * 0.01)
        << "the count does not end with the stream";
}
