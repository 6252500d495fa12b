#include "audio/music_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "media.h"
#include "signal.h"

namespace {

const int OutputRate = 44100;

std::unique_ptr<MusicStream> Open(const std::string& name) {
    std::vector<std::uint8_t> data = ReadBytes(MediaPath(name));
    EXPECT_FALSE(data.empty()) << "missing test file " << name;
    return MusicStream::Create(data, OutputRate);
}

// Plays `stream` into a sound of `frames` frames, in device-sized pieces.
Sound Play(MusicStream& stream, std::size_t frames, std::size_t* played = nullptr) {
    Sound sound;
    sound.samples.assign(2 * frames, 0.0f);
    std::size_t total = 0;
    for (std::size_t at = 0; at < frames; at += 1000) {
        int piece = static_cast<int>(std::min<std::size_t>(1000, frames - at));
        total += stream.MixInto(sound.samples.data() + 2 * at, piece);
    }
    if (played) {
        *played = total;
    }
    return sound;
}

}  // namespace

TEST(MusicStreamDecoding, TonesKeepPitchAndLevelAtEveryRateAndChannelCount) {
    for (const ToneFile& file : ToneFiles) {
        SCOPED_TRACE(file.name);
        std::unique_ptr<MusicStream> stream = Open(file.name);
        ASSERT_TRUE(stream);
        EXPECT_EQ(file.rate, stream->SampleRate());
        EXPECT_EQ(file.channels, stream->Channels());
        stream->Play(false);
        Sound sound = Play(*stream, OutputRate);
        // Leave out the encoder's fade at the start.
        std::size_t begin = OutputRate / 10;
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_NEAR(file.frequency,
                        ToneFrequency(sound, channel, begin, sound.Frames(), OutputRate),
                        file.frequency * 0.005)
                << "channel " << channel << " plays at the wrong pitch";
            EXPECT_NEAR(ToneLevel, RmsLevel(sound, channel, begin, sound.Frames()), 0.02)
                << "channel " << channel << " plays at the wrong level";
            EXPECT_EQ(0u, ToneBreaks(sound, channel, begin, sound.Frames(), OutputRate).size())
                << "channel " << channel << " has gaps";
        }
    }
}

TEST(MusicStreamDecoding, EveryFilePlaysWholeAtItsOwnRate) {
    struct Whole {
        const char* name;
        int rate;
        std::size_t frames;
    };
    for (const Whole& file :
         {Whole{ShortFile, 44100, 13230}, Whole{NoiseFile, 44100, 22050},
          Whole{ToneFiles[1].name, 22050, 44100}, Whole{ToneFiles[2].name, 48000, 96000}}) {
        std::vector<std::uint8_t> data = ReadBytes(MediaPath(file.name));
        std::unique_ptr<MusicStream> stream = MusicStream::Create(data, file.rate);
        ASSERT_TRUE(stream) << file.name;
        stream->Play(false);
        std::size_t played = 0;
        Play(*stream, file.frames + 5000, &played);
        // The last frame has nothing after it to interpolate towards.
        EXPECT_NEAR(file.frames, played, 1.0) << file.name << " did not play whole";
        EXPECT_TRUE(stream->HasEnded()) << file.name;
    }
}

TEST(MusicStreamDecoding, ShortFileEndsByItselfAfterItsLength) {
    std::unique_ptr<MusicStream> stream = Open(ShortFile);
    ASSERT_TRUE(stream);
    stream->PreBuffer();
    stream->Play(false);
    std::size_t played = 0;
    Sound sound = Play(*stream, OutputRate, &played);
    EXPECT_NEAR(ShortSeconds * OutputRate, played, OutputRate * 0.01);
    EXPECT_FALSE(stream->IsPlaying());
    EXPECT_TRUE(stream->HasEnded());
    EXPECT_LE(LoudSpan(sound).end, played) << "sound after the stream's end";

    Sound after = Play(*stream, 4000, &played);
    EXPECT_EQ(0u, played);
    EXPECT_EQ(0u, LoudSpan(after).end) << "an ended stream still sounds";
}

TEST(MusicStreamDecoding, StopKeepsThePlaceAndPlayAfterTheEndStartsAgain) {
    std::unique_ptr<MusicStream> stream = Open(ShortFile);
    ASSERT_TRUE(stream);
    std::size_t played = 0;
    Play(*stream, 1000, &played);
    EXPECT_EQ(0u, played) << "a stream that was never played sounds";

    stream->Play(false);
    Play(*stream, 5000, &played);
    EXPECT_EQ(5000u, played);
    stream->Stop();
    Play(*stream, 5000, &played);
    EXPECT_EQ(0u, played) << "a stopped stream sounds";

    // Resumed, it plays only what was left.
    stream->Play(false);
    std::size_t rest = 0;
    Play(*stream, OutputRate, &rest);
    EXPECT_NEAR(ShortSeconds * OutputRate - 5000, rest, OutputRate * 0.01);

    // Ended, it plays whole again; restarted midway too.
    stream->Play(false);
    Play(*stream, OutputRate, &played);
    EXPECT_NEAR(ShortSeconds * OutputRate, played, OutputRate * 0.01);
    stream->Play(false);
    Play(*stream, 3000, &played);
    stream->Play(true);
    Play(*stream, OutputRate, &played);
    EXPECT_NEAR(ShortSeconds * OutputRate, played, OutputRate * 0.01);
}

TEST(MusicStreamCreation, RefusesEmptyTruncatedTextAndDamagedData) {
    std::vector<std::uint8_t> whole = ReadBytes(MediaPath(ToneFiles[0].name));
    ASSERT_GT(whole.size(), 4000u);
    EXPECT_TRUE(MusicStream::Create(whole, OutputRate));

    EXPECT_FALSE(MusicStream::Create({}, OutputRate)) << "empty data";
    std::string text = "This is a text file, not music.\n";
    EXPECT_FALSE(MusicStream::Create({text.begin(), text.end()}, OutputRate)) << "text";

    for (std::size_t cut : {std::size_t{4}, std::size_t{27}, std::size_t{100}, std::size_t{3000},
                            whole.size() / 2, whole.size() - 1}) {
        std::vector<std::uint8_t> truncated(whole.begin(), whole.begin() + cut);
        EXPECT_FALSE(MusicStream::Create(truncated, OutputRate))
            << "a file cut after " << cut << " bytes";
    }

    std::vector<std::uint8_t> trailing = whole;
    trailing.push_back(0);
    EXPECT_FALSE(MusicStream::Create(trailing, OutputRate)) << "bytes after the last page";

    // Pages intact but a comment claiming to be longer than its header: the
    // decoder would copy it past the end of what it allocated.
    std::vector<std::uint8_t> overlong = whole;
    std::size_t secondPage = 27 + whole[26] + whole[27 + 0];
    ASSERT_EQ(0, std::memcmp(&whole[secondPage], "OggS", 4));
    std::size_t comment = secondPage + 27 + whole[secondPage + 26];
    ASSERT_EQ(0, std::memcmp(&whole[comment], "\x03vorbis", 7));
    for (std::uint32_t length : {0xffffffffu, 0x7fffffffu, 100000u}) {
        std::memcpy(&overlong[comment + 7], &length, 4);
        EXPECT_FALSE(MusicStream::Create(overlong, OutputRate))
            << "a vendor text of " << length << " bytes";
    }

    // Pages intact but the Vorbis identification header damaged.
    std::vector<std::uint8_t> damaged = whole;
    damaged[29] ^= 0xff;
    EXPECT_FALSE(MusicStream::Create(damaged, OutputRate)) << "a damaged header";
}
