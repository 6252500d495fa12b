// Counts the breaks in a recorded continuous tone: a capture of the music
// through a sound server, raw 16-bit little-endian stereo at 44.1 kHz.
//
//   tone_gaps <capture.raw>
//
// Prints where the tone starts and the seconds of it found, then one line per
// break; the exit status is 0 when the tone is whole, 1 when it has breaks, 2
// when there is no tone.
#include <cstdio>
#include <set>

#include "signal.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tone_gaps <capture.raw>\n");
        return 2;
    }
    const int rate = 44100;
    Sound sound = ReadRawCapture(argv[1]);
    Span loud = LoudSpan(sound);
    // The encoder's fade at the start and the stop at the end are no breaks.
    std::size_t begin = loud.begin + rate / 10, end = loud.end - rate / 100;
    if (loud.Frames() < static_cast<std::size_t>(rate) || end <= begin) {
        std::printf("tone 0.00 s\nbreaks 0\n");
        return 2;
    }
    std::set<std::size_t> breaks;
    for (int channel = 0; channel < 2; ++channel) {
        for (std::size_t at : ToneBreaks(sound, channel, begin, end, rate)) {
            // The same break on both channels counts once.
            auto near = breaks.lower_bound(at > 1024 ? at - 1024 : 0);
            if (near == breaks.end() || *near > at + 1024) breaks.insert(at);
        }
    }
    std::printf("start %.4f s\n", static_cast<double>(loud.begin) / rate);
    std::printf("tone %.2f s\nbreaks %zu\n", static_cast<double>(end - begin) / rate,
                breaks.size());
    for (std::size_t at : breaks) {
        std::printf("break at %.3f s\n", static_cast<double>(at) / rate);
    }
    return breaks.empty() ? 0 : 1;
}
