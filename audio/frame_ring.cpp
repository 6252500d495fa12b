#include "audio/frame_ring.h"

#include <algorithm>

FrameRing::FrameRing(int frames)
    : capacity(frames), samples(2 * static_cast<std::size_t>(frames)) {}

int FrameRing::Readable() const {
    return static_cast<int>(written.load(std::memory_order_acquire) -
                            read.load(std::memory_order_acquire));
}

int FrameRing::Writable() const {
    return capacity - Readable();
}

float* FrameRing::WriteSpace(int* frames) {
    std::uint64_t at = written.load(std::memory_order_relaxed);
    int offset = static_cast<int>(at % static_cast<std::uint64_t>(capacity));
    *frames = std::min(Writable(), capacity - offset);
    return samples.data() + 2 * static_cast<std::size_t>(offset);
}

void FrameRing::Wrote(int frames) {
    written.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_release);
}

int FrameRing::AddInto(float* mix, int frames) {
    int done = 0;
    std::uint64_t at = read.load(std::memory_order_relaxed);
    int wanted = std::min(frames, Readable());
    while (done < wanted) {
        int offset = static_cast<int>(at % static_cast<std::uint64_t>(capacity));
        int piece = std::min(wanted - done, capacity - offset);
        const float* from = samples.data() + 2 * static_cast<std::size_t>(offset);
        float* to = mix + 2 * static_cast<std::size_t>(done);
        for (int i = 0; i < 2 * piece; ++i) {
            to[i] += from[i];
        }
        done += piece;
        at += static_cast<std::uint64_t>(piece);
    }
    read.store(at, std::memory_order_release);
    return done;
}

void FrameRing::Clear() {
    read.store(written.load(std::memory_order_relaxed), std::memory_order_release);
}
