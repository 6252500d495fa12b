#include "audio/music_frames_played.h"

#include <atomic>

namespace {

std::atomic<std::uint64_t> framesPlayed{0};

}  // namespace

extern "C" std::uint64_t OmbrelMusicFramesPlayed() {
    return framesPlayed.load(std::memory_order_relaxed);
}

void CountMusicFramesPlayed(int frames) {
    if (frames > 0)
        framesPlayed.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
}
