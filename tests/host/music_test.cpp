#include "host/music.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "host/display.h"

using namespace Ombrel::Host;

// Stand-ins of the audio library and the display, linked in place of the
// real ones: they record each call with its arguments and answer as told.
namespace {

std::vector<std::string> calls;
std::uint32_t version = 0x30001;
int initResult = 1;
HSTREAM createResult = 7;
int playResult = 1;

void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    calls.push_back(text);
}

}  // namespace

std::uint32_t BASS_GetVersion() {
    Record("GetVersion");
    return version;
}
int BASS_Init(int device, std::uint32_t frequency, std::uint32_t flags, void* window) {
    Record("Init %d %u 0x%x %p", device, frequency, flags, window);
    return initResult;
}
int BASS_Start() {
    Record("Start");
    return 1;
}
HSTREAM BASS_StreamCreateFile(int memory, const void* file, std::uint32_t offset,
                              std::uint32_t length, std::uint32_t flags) {
    Record("StreamCreateFile %d %s %u %u %u", memory, static_cast<const char*>(file), offset,
           length, flags);
    return createResult;
}
int BASS_StreamPreBuf(HSTREAM handle) {
    Record("StreamPreBuf %u", handle);
    return 0;
}
int BASS_StreamPlay(HSTREAM handle, int flush, std::uint32_t flags) {
    Record("StreamPlay %u %d %u", handle, flush, flags);
    return playResult;
}
int BASS_Stop() {
    Record("Stop");
    return 1;
}
int BASS_StreamFree(HSTREAM handle) {
    Record("StreamFree %u", handle);
    return 1;
}
int BASS_Free() {
    Record("Free");
    return 1;
}
void Ombrel::Host::RestoreDisplayMode() {
    Record("RestoreDisplayMode");
}

namespace {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        version = 0x30001;
        initResult = 1;
        createResult = 7;
        playResult = 1;
    }
    std::string Null() {
        char text[32];
        std::snprintf(text, sizeof text, "%p", static_cast<void*>(nullptr));
        return text;
    }
};

TEST_F(MusicTest, StartsTheStreamInOrderWithTheDemoValues) {
    EXPECT_EQ(StartMusic(), 7u);
    std::vector<std::string> expected = {
        "Init -1 44100 0x50 " + Null(),
        "Start",
        "StreamCreateFile 0 ./Data/audio.ogg 0 0 0",
        "StreamPreBuf 7",
        "StreamPlay 7 0 0",
    };
    EXPECT_EQ(calls, expected) << "the display must not be touched when all goes well";

    calls.clear();
    StopMusic(7);
    EXPECT_EQ(calls, (std::vector<std::string>{"Stop", "StreamFree 7", "Free"}));
}

TEST_F(MusicTest, EachFailureRestoresTheDisplayBeforeItIsReported) {
    struct Case {
        void (*makeFail)();
        const char* failingCall;
        const char* message;
    };
    const Case cases[] = {
        {[] { initResult = 0; }, "Init", "Can't initialize digital sound system"},
        {[] { createResult = 0; }, "StreamCreateFile", "Can't create stream"},
        {[] { playResult = 0; }, "StreamPlay", "Can't play stream"},
    };
    for (const Case& failure : cases) {
        SetUp();
        failure.makeFail();
        try {
            StartMusic();
            ADD_FAILURE() << failure.failingCall << " failing was not reported";
        } catch (Ombrel::Exception& exception) {
            EXPECT_STREQ(exception.message, failure.message);
        }
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls.back(), "RestoreDisplayMode") << failure.message;
        EXPECT_EQ(calls[calls.size() - 2].rfind(failure.failingCall, 0), 0u)
            << "the display goes back right after the failing " << failure.failingCall;
    }
}

TEST_F(MusicTest, OnlyVersionOnePointThreeIsAccepted) {
    EXPECT_NO_THROW(CheckAudioLibrary());
    for (std::uint32_t other : {0x20001u, 0x30000u, 0x30002u, 0x10003u}) {
        version = other;
        try {
            CheckAudioLibrary();
            ADD_FAILURE() << "version 0x" << std::hex << other << " was accepted";
        } catch (Ombrel::Exception& exception) {
            EXPECT_STREQ(exception.message, "BASS version 1.3 was not loaded, Incorrect BASS.DLL");
        }
    }
    for (const std::string& call : calls) EXPECT_NE(call, "RestoreDisplayMode");
}

}  // namespace
