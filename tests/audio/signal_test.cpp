#include "signal.h"

#include <gtest/gtest.h>

#include <memory>

#include "audio/music_stream.h"
#include "media.h"

// The gap detector itself: a decoded tone passes whole and fails with 5 ms
// cut out of it or played twice, wherever in the period the cut falls.
TEST(ToneBreaks, FindsAHoleAndARepeatButNotTheCleanTone) {
    const int rate = 44100;
    std::unique_ptr<MusicStream> stream =
        MusicStream::Create(ReadBytes(MediaPath(ToneFiles[0].name)), rate);
    ASSERT_TRUE(stream);
    stream->Play(false);
    Sound clean;
    clean.samples.assign(2 * rate, 0.0f);
    stream->MixInto(clean.samples.data(), rate);
    const std::size_t begin = rate / 10, fiveMs = rate / 200;
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(0u, ToneBreaks(clean, channel, begin, clean.Frames(), rate).size());
    }
    for (std::size_t at = rate / 2; at < rate / 2 + 100; at += 17) {
        Sound hole = clean;
        std::fill(hole.samples.begin() + 2 * at, hole.samples.begin() + 2 * (at + fiveMs), 0.0f);
        EXPECT_EQ(1u, ToneBreaks(hole, 0, begin, hole.Frames(), rate).size()) << "hole at " << at;
        Sound repeat = clean;
        repeat.samples.insert(repeat.samples.begin() + 2 * at, clean.samples.begin() + 2 * at,
                              clean.samples.begin() + 2 * (at + fiveMs));
        EXPECT_EQ(1u, ToneBreaks(repeat, 1, begin, repeat.Frames(), rate).size())
            << "repeat at " << at;
    }
}
