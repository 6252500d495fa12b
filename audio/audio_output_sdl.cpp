#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "audio/audio_output.h"

namespace {

// What the device's thread fills its buffers from, and how many it has taken.
struct Feed {
    AudioOutput::Render render;
    std::atomic<int> buffersTaken{0};
};

// 11.6 ms at 44.1 kHz. The music enters the device's next buffer after it
// starts, so the buffer's length bounds how far the music trails the picture
// from the first frame; closing the device also waits for the buffers queued.
const Uint16 BufferFrames = 512;

// How many device buffers the sound server holds of ours. SDL's PulseAudio
// driver asks the server to hold a single buffer and writes the next only once
// the server has room for all of it: a delay of ours longer than that buffer
// is a break in the music, and on a machine whose cores the software renderer
// keeps busy such delays are common. libpulse takes the server's buffer from
// PULSE_LATENCY_MSEC when it is set; with eight buffers (93 ms) a minute of
// music with both cores kept busy had no break (bench/music-gaps), with two it
// still had some. A value the user set is kept.
const int ServerBuffers = 8;

void AskServerForItsBuffers(int frequency) {
    int milliseconds = (ServerBuffers * BufferFrames * 1000 + frequency - 1) / frequency;
    setenv("PULSE_LATENCY_MSEC", std::to_string(milliseconds).c_str(), 0);
}

// What the sound server holds ahead of each buffer: what it was asked to hold.
// SDL's other drivers hand their buffers on at once.
double ServerLatency() {
    const char* driver = SDL_GetCurrentAudioDriver();
    const char* asked = std::getenv("PULSE_LATENCY_MSEC");
    if (driver == nullptr || std::strcmp(driver, "pulseaudio") != 0 || asked == nullptr) return 0.0;
    double milliseconds = std::atof(asked);
    return milliseconds > 0.0 && milliseconds < 10000.0 ? milliseconds / 1000.0 : 0.0;
}

void SDLCALL Fill(void* userdata, Uint8* stream, int bytes) {
    auto* feed = static_cast<Feed*>(userdata);
    feed->render(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
    feed->buffersTaken.fetch_add(1, std::memory_order_release);
}

// A new PulseAudio stream takes the first buffers at once, then plays nothing
// and asks for nothing more until it is ready, which took a second on a
// private server: music started then would trail the picture by that second
// for the whole demo. So the device plays silence until it has asked for more
// than the server holds, which it does only once the server plays, for two
// seconds at most: a device that asks for nothing keeps nothing from going on.
const Uint32 StartWaitMs = 2000;

void WaitUntilPlaying(const Feed& feed) {
    Uint32 began = SDL_GetTicks();
    while (feed.buffersTaken.load(std::memory_order_acquire) <= ServerBuffers &&
           SDL_GetTicks() - began < StartWaitMs) {
        SDL_Delay(1);
    }
}

}  // namespace

struct AudioOutput::Device {
    SDL_AudioDeviceID id = 0;
    Feed feed;
};

std::unique_ptr<AudioOutput> AudioOutput::Open(int frequency, Render render) {
    AskServerForItsBuffers(frequency);
    // The audio part of SDL only: the window's part may be in use by a pack.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return nullptr;
    }
    std::unique_ptr<Device> device(new Device);
    device->feed.render = std::move(render);
    SDL_AudioSpec wanted = {};
    wanted.freq = frequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = BufferFrames;
    wanted.callback = Fill;
    wanted.userdata = &device->feed;
    SDL_AudioSpec obtained = {};
    // No change allowed: SDL converts to whatever the hardware takes.
    device->id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device->id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device->id, 0);
    WaitUntilPlaying(device->feed);
    return std::unique_ptr<AudioOutput>(new AudioOutput(std::move(device), ServerLatency()));
}

AudioOutput::AudioOutput(std::unique_ptr<Device> opened, double latency)
    : device(std::move(opened)), latencySeconds(latency) {}

double AudioOutput::LatencySeconds() const {
    return latencySeconds;
}

AudioOutput::~AudioOutput() {
    SDL_CloseAudioDevice(device->id);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
