// When the music is heard against the demo's time 0, for a recording made
// through a sound server: starts the music with the host's calls in the
// host's order, reads the clock where the host resets its timer, prints that
// moment as "zero <ns since the epoch>" and plays on for the given seconds.
// The wall clock is what a recording started beside it can be set against;
// under wine it is the same clock as Linux's.
//
//   music_start <music.ogg> <seconds>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "audio/bass.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: music_start <music.ogg> <seconds>\n");
        return 2;
    }
    if (!BASS_Init(-1, 44100, 0x50, nullptr)) {
        std::fprintf(stderr, "music_start: no output device\n");
        return 1;
    }
    BASS_Start();
    HSTREAM stream = BASS_StreamCreateFile(0, argv[1], 0, 0, 0);
    if (!stream) {
        std::fprintf(stderr, "music_start: cannot read %s\n", argv[1]);
        BASS_Free();
        return 1;
    }
    BASS_StreamPreBuf(stream);
    BASS_StreamPlay(stream, 0, 0);
    auto zero = std::chrono::system_clock::now();
    std::printf(
        "zero %lld\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(zero.time_since_epoch()).count()));
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(argv[2])));
    BASS_Stop();
    BASS_StreamFree(stream);
    BASS_Free();
    return 0;
}
