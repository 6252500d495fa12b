#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "host/audio/audio_output.h"

namespace {

// Eight buffers of 2048 frames keep 372 ms queued: under wine the driver's
// own thread and ours both wait on a busy machine, and with half that queued
// the music through a sound server broke more often (docs/music-gaps.md). The
// buffers stay small so that a pause or a seek is heard within a buffer or two.
const int BufferCount = 8;
const int BufferFrames = 2048;

}  // namespace

// waveOut signals an event whenever it has played a buffer; a thread of ours
// waits for it and fills the played buffers again. (Nothing may call waveOut
// from inside its own callback, so the refill cannot happen there.)
struct AudioOutput::Device {
    HWAVEOUT wave = nullptr;
    HANDLE played = nullptr;
    std::thread thread;
    std::atomic<bool> closing{false};
    Render render;
    WAVEHDR headers[BufferCount] = {};
    std::vector<std::int16_t> buffers[BufferCount];

    void Queue(int index) {
        render(buffers[index].data(), BufferFrames);
        waveOutWrite(wave, &headers[index], sizeof(WAVEHDR));
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
    Device* running = device.get();
    device->thread = std::thread([running] { running->Run(); });
    // A buffer filled again waits behind the others queued.
    double latency = static_cast<double>((BufferCount - 1) * BufferFrames) / frequency;
    return std::unique_ptr<AudioOutput>(new AudioOutput(std::move(device), latency));
}

AudioOutput::AudioOutput(std::unique_ptr<Device> opened, double latency)
    : device(std::move(opened)), latencySeconds(latency) {}

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
