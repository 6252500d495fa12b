#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

// Interleaved stereo frames passed from one writing thread to one reading
// thread without a lock: the music decoded ahead on its own thread, read by
// the output device's. Neither side allocates or waits.
class FrameRing {
public:
    explicit FrameRing(int frames);

    int Capacity() const { return capacity; }
    // Frames written and not yet read.
    int Readable() const;
    // Frames that can be written before the reader frees more.
    int Writable() const;

    // The writer's side: room for up to `*frames` frames in one piece at the
    // returned place, then Wrote with how many were put there.
    float* WriteSpace(int* frames);
    void Wrote(int frames);

    // The reader's side: adds up to `frames` frames to the interleaved `mix`
    // and returns how many it added.
    int AddInto(float* mix, int frames);

    // Empties the ring; only while neither side is at work.
    void Clear();

private:
    const int capacity;
    std::vector<float> samples;
    std::atomic<std::uint64_t> written{0};
    std::atomic<std::uint64_t> read{0};
};
