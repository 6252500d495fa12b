#pragma once

#include <cstdint>
#include <memory>
#include <string>

class MusicStream;

// The demo's music, decoded by the host's music layer into stereo at the
// capture's sample rate and handed out in pieces of any size, in order.
class MusicTrack {
public:
    // Reads and opens the Ogg Vorbis file. Throws the host's "Can't create
    // stream", with the file and what may be wrong with it, when it is
    // missing, empty, cut short or not Ogg Vorbis.
    explicit MusicTrack(const std::string& path);
    ~MusicTrack();
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;

    // The music's length in samples, found by decoding it once; the music
    // then starts over.
    std::int64_t CountSamples();

    // Fills `stereo` with the next `samples` interleaved stereo samples;
    // silence once the music has ended.
    void Read(float* stereo, int samples);

private:
    std::unique_ptr<MusicStream> stream;
};
