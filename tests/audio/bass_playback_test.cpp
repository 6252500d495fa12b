#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "capture.h"
#include "audio/bass.h"
#include "media.h"
#include "signal.h"

namespace {

const int Rate = 44100;

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class Playback : public ::testing::Test {
protected:
    void TearDown() override { BASS_Free(); }

    // Initialises the library as the host does, capturing the output.
    std::string Init(const std::string& capture) {
        std::string path = CaptureOutput(capture);
        EXPECT_NE(0, BASS_Init(-1, Rate, 0x50, nullptr)) << "no output device";
        BASS_Start();
        return path;
    }

    // Plays `name` as the host does, for `seconds`, then stops (or not) and
    // frees everything; returns what came out.
    Sound PlayFor(const std::string& name, double seconds, bool stop, double afterStop = 0.0) {
        std::string capture = Init("audio-capture-" + name + ".raw");
        HSTREAM stream = BASS_StreamCreateFile(0, MediaPath(name).c_str(), 0, 0, 0);
        EXPECT_NE(0u, stream) << name;
        BASS_StreamPreBuf(stream);
        EXPECT_NE(0, BASS_StreamPlay(stream, 0, 0)) << name;
        Wait(seconds);
        if (stop) {
            BASS_Stop();
            Wait(afterStop);
        }
        BASS_StreamFree(stream);
        BASS_Free();
        return ReadRawCapture(capture);
    }
};

}  // namespace

TEST_F(Playback, TonesComeOutAtTheirPitchAndLevel) {
    for (const ToneFile& file : ToneFiles) {
        SCOPED_TRACE(file.name);
        Sound sound = PlayFor(file.name, 1.0, true);
        Span loud = LoudSpan(sound);
        ASSERT_GT(loud.Frames(), Rate / 2u) << "less than half a second of sound came out";
        std::size_t begin = loud.begin + Rate / 10;
        std::size_t end = loud.end - Rate / 100;
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_NEAR(file.frequency, ToneFrequency(sound, channel, begin, end, Rate),
                        file.frequency * 0.005)
                << "channel " << channel << " plays at the wrong pitch";
            EXPECT_NEAR(ToneLevel, RmsLevel(sound, channel, begin, end), 0.03)
                << "channel " << channel << " plays at the wrong level";
            EXPECT_EQ(0u, ToneBreaks(sound, channel, begin, end, Rate).size())
                << "channel " << channel << " has gaps";
        }
    }
}

TEST_F(Playback, StopSilencesTheOutputAndTheStreamEndsByItself) {
    // Stopped after half a second of a long tone: far less than the whole
    // tone comes out, and silence follows.
    Sound stopped = PlayFor(LongFile, 0.5, true, 0.8);
    Span loud = LoudSpan(stopped);
    EXPECT_GT(loud.Frames(), Rate / 4u) << "the tone did not play";
    EXPECT_LT(loud.Frames(), Rate * LongSeconds / 2)
        << "the tone went on after BASS_Stop: " << loud.Frames() << " frames";
    EXPECT_GT(stopped.Frames() - loud.end, Rate * 0.3) << "no silence after BASS_Stop";

    // Not stopped: a short file plays whole once, then silence.
    Sound ended = PlayFor(ShortFile, 1.2, false);
    loud = LoudSpan(ended);
    EXPECT_NEAR(ShortSeconds * Rate, loud.Frames(), Rate * 0.05);
    EXPECT_GT(ended.Frames() - loud.end, Rate * 0.4) << "no silence after the end";
}

TEST_F(Playback, FilesThatAreNotWholeOggVorbisGiveNoStream) {
    Init("audio-capture-refused.raw");
    std::string whole(reinterpret_cast<const char*>(ReadBytes(MediaPath(ShortFile)).data()),
                      ReadBytes(MediaPath(ShortFile)).size());
    ASSERT_GT(whole.size(), 1000u);
    WriteFile("audio-empty.ogg", "");
    WriteFile("audio-truncated.ogg", whole.substr(0, whole.size() / 2));
    WriteFile("audio-text.ogg", "Not music at all, just a line of text.\n");
    for (const char* name :
         {"audio-no-such-file.ogg", "audio-empty.ogg", "audio-truncated.ogg", "audio-text.ogg"}) {
        EXPECT_EQ(0u, BASS_StreamCreateFile(0, name, 0, 0, 0)) << name;
    }
    EXPECT_EQ(0u, BASS_StreamCreateFile(0, nullptr, 0, 0, 0));

    // The same bytes from memory, and the file read from an offset.
    HSTREAM fromMemory = BASS_StreamCreateFile(1, whole.data(), 0, whole.size(), 0);
    EXPECT_NE(0u, fromMemory);
    WriteFile("audio-after-junk.ogg", "junk" + whole);
    HSTREAM fromOffset = BASS_StreamCreateFile(0, "audio-after-junk.ogg", 4, 0, 0);
    EXPECT_NE(0u, fromOffset);
    EXPECT_NE(fromMemory, fromOffset);
    EXPECT_EQ(0u, BASS_StreamCreateFile(0, "audio-after-junk.ogg", 0, 0, 0));
}

TEST_F(Playback, CallsOutOfOrderFailOrDoNothing) {
    EXPECT_EQ(0x30001u, BASS_GetVersion());
    EXPECT_EQ(0, BASS_Start());
    EXPECT_EQ(0, BASS_Stop());
    EXPECT_EQ(0u, BASS_StreamCreateFile(0, MediaPath(ShortFile).c_str(), 0, 0, 0));
    EXPECT_EQ(0, BASS_StreamPreBuf(1));
    EXPECT_EQ(0, BASS_StreamPlay(1, 0, 0));
    EXPECT_EQ(0, BASS_StreamFree(1));
    EXPECT_EQ(0, BASS_Free());

    Init("audio-capture-order.raw");
    EXPECT_EQ(0, BASS_Init(-1, Rate, 0x50, nullptr)) << "initialised twice";
    EXPECT_EQ(0, BASS_StreamPlay(0, 0, 0));
    EXPECT_EQ(0, BASS_StreamPlay(12345, 0, 0));
    HSTREAM stream = BASS_StreamCreateFile(0, MediaPath(ShortFile).c_str(), 0, 0, 0);
    ASSERT_NE(0u, stream);
    EXPECT_NE(0, BASS_StreamPlay(stream, 0, 0));
    EXPECT_NE(0, BASS_Stop());
    EXPECT_NE(0, BASS_StreamFree(stream));
    EXPECT_EQ(0, BASS_StreamFree(stream)) << "freed twice";
    EXPECT_EQ(0, BASS_StreamPlay(stream, 0, 0)) << "played after free";
    EXPECT_EQ(0, BASS_StreamPreBuf(stream));

    HSTREAM kept = BASS_StreamCreateFile(0, MediaPath(ShortFile).c_str(), 0, 0, 0);
    EXPECT_NE(stream, kept) << "a freed handle was given again";
    EXPECT_NE(0, BASS_Free());
    EXPECT_EQ(0, BASS_Free()) << "freed twice";
    EXPECT_EQ(0, BASS_StreamPlay(kept, 0, 0)) << "a stream outlived BASS_Free";

    // Initialised again after BASS_Free.
    Init("audio-capture-order.raw");
    EXPECT_EQ(0, BASS_Init(0, Rate, 0x50, nullptr)) << "device 0 is not an output";
}

TEST_F(Playback, InitFailsWithoutAnOutputDevice) {
    if (!HideOutputDevices()) {
        GTEST_SKIP() << "no way to hide the output devices here";
    }
    EXPECT_EQ(0, BASS_Init(-1, Rate, 0x50, nullptr));
    EXPECT_EQ(0u, BASS_StreamCreateFile(0, MediaPath(ShortFile).c_str(), 0, 0, 0));
    RestoreOutputDevices();
    Init("audio-capture-device.raw");
}
