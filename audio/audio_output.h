#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// The output device: plays interleaved 16-bit stereo at a fixed rate, asking
// for each buffer from its own thread. One backend per platform:
// audio_output_sdl.cpp (SDL2) and audio_output_waveout.cpp (winmm waveOut).
class AudioOutput {
public:
    // Fills `samples` with `frames` frames; called on the device's thread.
    using Render = std::function<void(std::int16_t* samples, int frames)>;

    // Opens the default output device at `frequency` Hz and starts playing
    // what `render` gives. Null when no output device can be opened.
    static std::unique_ptr<AudioOutput> Open(int frequency, Render render);
    // Stops the device's thread and closes the device; `render` is not called
    // any more once this returns.
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;

    // How long after the device took its latest buffer that buffer is heard,
    // as far as this output knows: what is queued ahead of it, in the device
    // or in a sound server. Music started in that buffer is heard that much
    // later. Asked on the program's thread.
    double LatencySeconds() const;
    AudioOutput& operator=(const AudioOutput&) = delete;

private:
    struct Device;
    AudioOutput(std::unique_ptr<Device> opened, double latency);
    std::unique_ptr<Device> device;
    double latencySeconds;
};
