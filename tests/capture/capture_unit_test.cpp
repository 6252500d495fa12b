#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "tests/foundation/test_support.h"
#include "programs/capture/capture_options.h"
#include "programs/capture/encoding_queue.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/music_track.h"
#include "programs/capture/y4m_wav_writer.h"
#include "programs/capture/yuv_convert.h"

namespace {

CaptureOptions Parse(std::vector<const char*> arguments) {
    return ParseCaptureOptions(static_cast<int>(arguments.size()), arguments.data());
}

std::string ParseError(std::vector<const char*> arguments) {
    return MessageOf([&] { Parse(arguments); }, "(accepted)");
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return std::ifstream(path).good();
}

}  // namespace

TEST(CaptureOptions, ReadTheCommandLineInBothForms) {
    CaptureOptions o = Parse({"-o", "a.mp4", "--size=1920x1080", "--fps", "60000/1001", "--english",
                              "--seconds", "2.5", "--crf=23", "--demo", "d", "--gpu", "1"});
    EXPECT_EQ(o.output, "a.mp4");
    EXPECT_EQ(o.width, 1920);
    EXPECT_EQ(o.height, 1080);
    EXPECT_EQ(o.rateNumerator, 60000);
    EXPECT_EQ(o.rateDenominator, 1001);
    EXPECT_TRUE(o.english);
    EXPECT_DOUBLE_EQ(o.seconds, 2.5);
    EXPECT_EQ(o.crf, 23);
    EXPECT_EQ(o.demoFolder, "d");
    EXPECT_EQ(o.gpu, 1);
    EXPECT_EQ(Parse({"-o", "a.mp4"}).gpu, -1) << "no GPU asked for";
    CaptureOptions decimal = Parse({"-o", "a.mkv", "--fps", "29.97"});
    EXPECT_EQ(decimal.rateNumerator, 2997) << "29.97 is 2997/100 in lowest terms";
    EXPECT_EQ(decimal.rateDenominator, 100);
    CaptureOptions reduced = Parse({"-o", "a.mkv", "--fps", "120/2"});
    EXPECT_EQ(reduced.rateNumerator, 60);
    EXPECT_EQ(reduced.rateDenominator, 1);
}

TEST(CaptureOptions, RefuseWhatMakesNoSenseNamingIt) {
    const struct {
        std::vector<const char*> arguments;
        const char* named;
    } cases[] = {
        {{"--size", "640x480"}, "No output file"},
        {{"-o", "a.mp4", "--size", "641x480"}, "--size 641x480"},
        {{"-o", "a.mp4", "--size", "0x480"}, "--size 0x480"},
        {{"-o", "a.mp4", "--size", "640"}, "--size 640"},
        {{"-o", "a.mp4", "--fps", "0"}, "--fps 0"},
        {{"-o", "a.mp4", "--fps", "30/0"}, "--fps 30/0"},
        {{"-o", "a.mp4", "--fps", "1/2"}, "--fps 1/2"},
        {{"-o", "a.mp4", "--fps", "2000"}, "--fps 2000"},
        {{"-o", "a.mp4", "--fps", "-30"}, "--fps -30"},
        {{"-o", "a.mp4", "--seconds", "-1"}, "--seconds -1"},
        {{"-o", "a.mp4", "--seconds", "nan"}, "--seconds nan"},
        {{"-o", "a.mp4", "--crf", "52"}, "--crf 52"},
        {{"-o", "a.mp4", "--preset", "quick"}, "--preset quick: give one of ultrafast, "},
        {{"-o", "a.mp4", "--preset", "quick"}, "veryslow, placebo"},
        {{"-o", "a.mp4", "--crf"}, "--crf needs a value"},
        {{"-o", "a.mp4", "--colour"}, "Unknown option: --colour"},
        {{"-o", "a.mp4", "--gpu", "-1"}, "--gpu -1: give a GPU's number from 0"},
        {{"-o", "a.mp4", "--gpu", "first"}, "--gpu first"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(ParseError(c.arguments).find(c.named), std::string::npos)
            << "got: " << ParseError(c.arguments);
    }
}

TEST(FrameClock, GivesEachFrameItsOwnSamplesWithoutDrift) {
    FrameClock ntsc(60000, 1001);
    std::int64_t total = 0;
    for (std::int64_t frame = 0; frame < 60000; ++frame) {
        std::int64_t samples = ntsc.FirstSample(frame + 1) - ntsc.FirstSample(frame);
        ASSERT_TRUE(samples == 735 || samples == 736) << "frame " << frame << ": " << samples;
        total += samples;
    }
    EXPECT_EQ(total, 44100LL * 1001) << "1001 s of frames hold exactly 1001 s of sound";
    EXPECT_EQ(ntsc.MostSamplesPerFrame(), 736);
    EXPECT_FLOAT_EQ(ntsc.Seconds(60), 1.001f);
    EXPECT_EQ(FrameClock(30, 1).FramesFor(2.0), 60);
    EXPECT_EQ(ntsc.FramesFor(10.0), 600) << "599.4 frames round up";
    for (std::int64_t samples : {1LL, 735LL, 736LL, 132300LL, 3571234LL}) {
        std::int64_t frames = ntsc.FramesForSamples(samples);
        EXPECT_GE(ntsc.FirstSample(frames), samples);
        EXPECT_LT(ntsc.FirstSample(frames - 1), samples) << samples << " samples";
    }
}

TEST(YuvConversion, GivesLimitedRangeColoursFromTheTopDown) {
    // 4 x 2 pixels, bottom row first: the bottom row is white and red, the
    // top row black.
    const std::uint8_t bgra[] = {255, 255, 255, 255, 255, 255, 255, 255, 0,   0,  255,
                                 255, 0,   0,   255, 255, 0,   0,   0,   255, 0,  0,
                                 0,   255, 0,   0,   0,   255, 0,   0,   0,   255};
    std::uint8_t planes[4 * 2 + 2 + 2];
    ConvertToI420(bgra, 4, 2, planes);
    const std::uint8_t y[] = {16, 16, 16, 16, 235, 235, 63, 63};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(planes[i], y[i]) << "luma " << i;
    EXPECT_EQ(planes[8], 128) << "black and white average to a grey";
    EXPECT_EQ(planes[10], 128);
    EXPECT_EQ(planes[9], 115) << "half red, half black: blue difference";
    EXPECT_EQ(planes[11], 184) << "half red, half black: red difference";
}

TEST(Y4mWavWriter, WritesUnderTemporaryNamesAndKeepsTheNamesUntouchedUntilFinished) {
    const std::string name = "capture-unit-writer";
    std::remove((name + ".y4m").c_str());
    std::remove((name + ".wav").c_str());
    MediaFormat format = {4, 2, 30000, 1001, 18, "veryfast"};
    std::vector<std::uint8_t> frame(4 * 2 * 4, 255);
    const float sound[] = {0.5f, -0.5f, 1.5f, -1.5f, 0.0f, 0.0f};
    {
        Y4mWavWriter abandoned(name, format);
        abandoned.WriteVideo(frame.data());
        EXPECT_TRUE(Exists(name + ".y4m.part"));
    }
    EXPECT_FALSE(Exists(name + ".y4m.part")) << "an unfinished capture leaves nothing";
    EXPECT_FALSE(Exists(name + ".wav.part"));

    Y4mWavWriter writer(name, format);
    for (int i = 0; i < 3; ++i) writer.WriteVideo(frame.data());
    writer.WriteAudio(sound, 3);
    EXPECT_FALSE(Exists(name + ".y4m"));
    writer.Finish();
    std::string video = ReadAll(name + ".y4m");
    std::string header =
        "YUV4MPEG2 W4 H2 F30000:1001 Ip A1:1 C420jpeg XYSCSS=420JPEG "
        "XCOLORRANGE=LIMITED\n";
    EXPECT_EQ(video.substr(0, header.size()), header);
    EXPECT_EQ(video.size(), header.size() + 3 * (6 + 12));
    std::string audio = ReadAll(name + ".wav");
    ASSERT_EQ(audio.size(), 44u + 12u);
    EXPECT_EQ(audio.substr(0, 4), "RIFF");
    EXPECT_EQ(static_cast<unsigned char>(audio[4]), 36 + 12) << "RIFF size";
    EXPECT_EQ(static_cast<unsigned char>(audio[40]), 12) << "data size";
    const std::int16_t expected[] = {16384, -16384, 32767, -32768, 0, 0};
    for (int i = 0; i < 6; ++i) {
        std::int16_t sample =
            static_cast<std::int16_t>(static_cast<unsigned char>(audio[44 + 2 * i]) |
                                      (static_cast<unsigned char>(audio[45 + 2 * i]) << 8));
        EXPECT_EQ(sample, expected[i]) << "sample " << i;
    }
}

namespace {

// Records what reaches it; fails on the frame numbered `failAt`.
class RecordingWriter final : public MediaWriter {
public:
    explicit RecordingWriter(int failingFrame) : failAt(failingFrame) {}
    void WriteVideo(const std::uint8_t* pixels) override {
        if (static_cast<int>(frames.size()) == failAt) {
            throw Ombrel::Exception("Cannot write out.mp4: disk full");
        }
        frames.push_back(pixels[0]);
    }
    void WriteAudio(const float* stereo, int samples) override {
        sound.push_back(samples > 0 ? stereo[0] : -1.0f);
    }
    void Finish() override {}
    std::vector<int> frames;
    std::vector<float> sound;

private:
    int failAt;
};

}  // namespace

TEST(EncodingQueue, HandsOnEveryFrameInOrderAndReportsTheWritersFailure) {
    RecordingWriter writer(-1);
    {
        EncodingQueue queue(writer, 1, 2);
        for (int i = 0; i < 50; ++i) {
            std::uint8_t pixel = static_cast<std::uint8_t>(i);
            float stereo[4] = {static_cast<float>(i), 0, 0, 0};
            queue.Push(&pixel, stereo, 2);
        }
        queue.Flush();
    }
    ASSERT_EQ(writer.frames.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(writer.frames[i], i);
        EXPECT_EQ(writer.sound[i], static_cast<float>(i)) << "each frame keeps its own sound";
    }

    RecordingWriter failing(5);
    EncodingQueue queue(failing, 1, 1);
    std::string reported;
    try {
        for (int i = 0; i < 50; ++i) {
            std::uint8_t pixel = 0;
            float stereo[2] = {0, 0};
            queue.Push(&pixel, stereo, 1);
        }
        queue.Flush();
    } catch (const Ombrel::Exception& e) {
        reported = e.message;
    }
    EXPECT_EQ(reported, "Cannot write out.mp4: disk full");
}

TEST(MusicTrack, CountsTheMusicAndGivesSilenceAfterIt) {
    EXPECT_THROW(MusicTrack("no-such-music.ogg"), Ombrel::Exception);
    MusicTrack track(CLICK_TRACK);
    std::int64_t length = track.CountSamples();
    EXPECT_NEAR(static_cast<double>(length), CLICK_TRACK_SAMPLES, 1024.0);
    // After counting, the music starts over: its first click is where it was
    // put.
    std::vector<float> sound(2 * (length + 100));
    track.Read(sound.data(), static_cast<int>(length + 100));
    std::int64_t first = -1;
    for (std::int64_t i = 0; i < length && first < 0; ++i) {
        if (std::fabs(sound[2 * i]) > 0.3f) first = i;
    }
    EXPECT_NEAR(static_cast<double>(first), CLICK_FIRST_SAMPLE, 16.0);
    for (std::int64_t i = 2 * length; i < 2 * (length + 100); ++i) {
        ASSERT_EQ(sound[i], 0.0f) << "after the music's end";
    }
}
