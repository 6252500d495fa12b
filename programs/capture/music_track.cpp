#include "programs/capture/music_track.h"

#include <algorithm>
#include <vector>

#include "foundation/exception.h"
#include "audio/audio.h"
#include "programs/capture/frame_clock.h"

MusicTrack::MusicTrack(const std::string& path) {
    stream = OpenMusicFile(path, FrameClock::SampleRate);
    if (!stream) {
        throw Ombrel::Exception("%s\n  music: %s", CantCreateStream,
                                MusicFileProblem(path).c_str());
    }
    stream->Play(true);
}

MusicTrack::~MusicTrack() = default;

std::int64_t MusicTrack::CountSamples() {
    const int piece = 16384;
    std::vector<float> scratch(2 * piece);
    std::int64_t total = 0;
    for (;;) {
        int made = stream->MixInto(scratch.data(), piece);
        total += made;
        if (made < piece) break;
    }
    stream->Play(true);
    return total;
}

void MusicTrack::Read(float* stereo, int samples) {
    std::fill(stereo, stereo + 2 * samples, 0.0f);
    stream->MixInto(stereo, samples);
}
