#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "audio/audio_output.h"

namespace {

// Eight buffers of 2048 frames keep 372 ms queued: under wine the driver's
// own thread and ours both wait on a busy machine, and with half that queued
// the music through a sound server broke more often (docs/music-gaps.md). The
// buffers stay small so that a pause or a seek is heard within a buffer or two.
const int BufferCount = 8;
const int BufferFrames = 2048;
const int StartWaitMs = 2000;

}  // namespace

// waveOut signals an event whenever it has played a buffer; a thread of ours
// waits for it and fills the played buffers again. (Nothing may call waveOut
// from inside its own callback, so the refill cannot happen there.)
struct AudioOutput::Device {
    HWAVEOUT wave = nullptr;
    HANDLE played = nullptr;
    int frequency = 0;
    std::thread thread;
    std::atomic<bool> closing{false};
    Render render;
    WAVEHDR headers[BufferCount] = {};
    std::vector<std::int16_t> buffers[BufferCount];

    // Frames handed to waveOut, and those of them ahead of the buffer
    // rendered last: written on the device's thread, read on the program's.
    std::atomic<std::int64_t> written{0};
    std::atomic<std::int64_t> aheadOfLatest{0};

    void Queue(int index) {
        aheadOfLatest = written.load();
        render(buffers[index].data(), BufferFrames);
        waveOutWrite(wave, &headers[index], sizeof(WAVEHDR));
        written += BufferFrames;
    }

    // The frames the device has played, as it reports them; -1 when it
    // cannot say. Its count wraps (after 27 hours), so it is taken as the
    // last count at or below what was written.
    std::int64_t Played() const {
        MMTIME time = {};
        time.wType = TIME_SAMPLES;
        if (waveOutGetPosition(wave, &time, sizeof(time)) != MMSYSERR_NOERROR ||
            time.wType != TIME_SAMPLES) {
            return -1;
        }
        std::int64_t total = written.load();
        return total -
               static_cast<std::uint32_t>(static_cast<std::uint32_t>(total) - time.u.sample);
    }

    // Returns once the device has played its first buffer and asked for
    // another (two seconds at most). Until then its position says little
    // of what is heard: under wine it jumps ahead at the start, and music
    // started there was heard anywhere from 0.2 s early to 0.1 s late.
    void WaitUntilPlaying() const {
        DWORD began = GetTickCount();
        while (written.load() <= BufferCount * BufferFrames &&
               GetTickCount() - began < StartWaitMs) {
            Sleep(1);
        }
    }

    void Run() {
        for (int i = 0; i < BufferCount; ++i) {
            Queue(i);
        }
        while (!closing) {
            WaitForSingleObject(played, 100);
            for (int i = 0; i < BufferCount && !closing; ++i) {
                if (headers[i].dwFlags & WHDR_DONE) {
                    Queue(i);
                }
            }
        }
    }
};

std::unique_ptr<AudioOutput> AudioOutput::Open(int frequency, Render render) {
    std::unique_ptr<Device> device(new Device);
    device->render = std::move(render);
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = frequency;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = frequency * 4;
    device->played = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!device->played) {
        return nullptr;
    }
    if (waveOutOpen(&device->wave, WAVE_MAPPER, &format,
                    reinterpret_cast<DWORD_PTR>(device->played), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        CloseHandle(device->played);
        return nullptr;
    }
    for (int i = 0; i < BufferCount; ++i) {
        device->buffers[i].assign(2 * BufferFrames, 0);
        WAVEHDR& header = device->headers[i];
        header.lpData = reinterpret_cast<LPSTR>(device->buffers[i].data());
        header.dwBufferLength = 4 * BufferFrames;
        waveOutPrepareHeader(device->wave, &header, sizeof(WAVEHDR));
    }
    device->frequency = frequency;
    Device* running = device.get();
    device->thread = std::thread([running] { running->Run(); });
    running->WaitUntilPlaying();
    // A buffer filled again waits behind the others queued: what the output
    // holds when the device cannot say where it is.
    double latency = static_cast<double>((BufferCount - 1) * BufferFrames) / frequency;
    return std::unique_ptr<AudioOutput>(new AudioOutput(std::move(device), latency));
}

AudioOutput::AudioOutput(std::unique_ptr<Device> opened, double latency)
    : device(std::move(opened)), latencySeconds(latency) {}

// The frames written ahead of the latest buffer that the device has not
// played yet, by the device's own position: our buffers and what the system
// keeps behind waveOut, as far as that position counts it. (Under wine it
// counts what wine has handed on to its audio client, which is heard about
// 110 ms later still; see docs/music-gaps.md.)
double AudioOutput::LatencySeconds() const {
    // Before its first buffer, or when the device cannot say where it is:
    // what the output will hold.
    std::int64_t played = device->Played();
    if (played < 0 || device->written.load() == 0) return latencySeconds;
    std::int64_t ahead = device->aheadOfLatest.load() - played;
    return ahead > 0 ? static_cast<double>(ahead) / device->frequency : 0.0;
}

AudioOutput::~AudioOutput() {
    device->closing = true;
    SetEvent(device->played);
    device->thread.join();
    waveOutReset(device->wave);
    for (WAVEHDR& header : device->headers) {
        waveOutUnprepareHeader(device->wave, &header, sizeof(WAVEHDR));
    }
    waveOutClose(device->wave);
    CloseHandle(device->played);
}
