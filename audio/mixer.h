#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/music_stream.h"

// The table of streams behind their handles, and the mix of those that play
// into the output format. The output device's thread calls Render; every other
// operation comes from the library's callers. One lock serialises both.
class Mixer {
public:
    // Takes `stream` and returns its new handle, never 0 and never reused.
    std::uint32_t Add(std::unique_ptr<MusicStream> stream);
    // False when `handle` names no stream.
    bool Remove(std::uint32_t handle);
    // Runs `action` on the stream of `handle`; false when there is none.
    bool With(std::uint32_t handle, const std::function<void(MusicStream&)>& action);
    // Stops every stream; each keeps its place.
    void StopAll();
    // While not running, Render gives silence and no stream moves on.
    void SetRunning(bool on);

    // Fills `samples` with `frames` interleaved 16-bit stereo frames of the
    // playing streams, silence where none plays, and counts the buffer's music
    // frames as played (music_frames_played.h). Allocates only when a buffer
    // is larger than any before it.
    void Render(std::int16_t* samples, int frames);

private:
    std::mutex mutex;
    std::map<std::uint32_t, std::unique_ptr<MusicStream>> streams;
    std::uint32_t lastHandle = 0;
    bool running = true;
    std::vector<float> mix;
};
