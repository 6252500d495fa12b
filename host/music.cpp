#include "host/music.h"

#include "foundation/exception.h"
#include "audio/audio.h"
#include "host/display.h"

namespace {

const std::uint32_t RequiredVersion = 0x30001;
const std::uint32_t OutputFrequency = 44100;
const std::uint32_t OutputFlags = 0x50;

[[noreturn]] void Fail(const char* message) {
    RestoreDisplayMode();
    throw Ombrel::Exception("%s", message);
}

}  // namespace

void CheckAudioLibrary() {
    if (BASS_GetVersion() != RequiredVersion) {
        throw Ombrel::Exception("BASS version 1.3 was not loaded, Incorrect BASS.DLL");
    }
}

HSTREAM StartMusic() {
    if (!BASS_Init(-1, OutputFrequency, OutputFlags, nullptr)) {
        Fail("Can't initialize digital sound system");
    }
    BASS_Start();
    HSTREAM musicStream = BASS_StreamCreateFile(0, MusicFile, 0, 0, 0);
    if (!musicStream) Fail(CantCreateStream);
    BASS_StreamPreBuf(musicStream);
    if (!BASS_StreamPlay(musicStream, 0, 0)) Fail("Can't play stream");
    return musicStream;
}

void StopMusic(HSTREAM musicStream) {
    BASS_Stop();
    BASS_StreamFree(musicStream);
    BASS_Free();
}
