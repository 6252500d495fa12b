#include "audio/mixer.h"

#include <algorithm>
#include <utility>

#include "audio/music_frames_played.h"
#include "audio/sample_format.h"

std::uint32_t Mixer::Add(std::unique_ptr<MusicStream> stream) {
    std::lock_guard<std::mutex> lock(mutex);
    do {
        ++lastHandle;
    } while (lastHandle == 0 || streams.count(lastHandle));
    streams[lastHandle] = std::move(stream);
    return lastHandle;
}

bool Mixer::Remove(std::uint32_t handle) {
    std::unique_ptr<MusicStream> removed;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = streams.find(handle);
        if (found == streams.end()) {
            return false;
        }
        removed = std::move(found->second);
        streams.erase(found);
    }
    // Freed outside the lock, so the output never waits for it.
    return true;
}

bool Mixer::With(std::uint32_t handle, const std::function<void(MusicStream&)>& action) {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = streams.find(handle);
    if (found == streams.end()) {
        return false;
    }
    action(*found->second);
    return true;
}

void Mixer::StopAll() {
    std::lock_guard<std::mutex> lock(mutex);
    for (auto& entry : streams) {
        entry.second->Stop();
    }
}

void Mixer::SetRunning(bool on) {
    std::lock_guard<std::mutex> lock(mutex);
    running = on;
}

// Runs on the output device's thread, once per buffer.
void Mixer::Render(std::int16_t* samples, int frames) {
    std::size_t count = 2 * static_cast<std::size_t>(frames);
    std::lock_guard<std::mutex> lock(mutex);
    if (mix.size() < count) {
        mix.resize(count);
    }
    std::fill(mix.begin(), mix.begin() + count, 0.0f);
    // The buffer's music: as many frames as the longest playing stream gave.
    int music = 0;
    if (running) {
        for (auto& entry : streams) {
            music = std::max(music, entry.second->MixInto(mix.data(), frames));
        }
    }
    CountMusicFramesPlayed(music);
    ToSixteenBit(mix.data(), samples, count);
}
