// The control for the music's breaks under wine: a 440 Hz sine at half scale
// played for the given seconds straight through waveOut, with eight buffers
// of 4096 frames queued (0.74 s), deeper than the music layer's. Whatever
// breaks it shows through a sound server are the cost of wine's driver.
//
//   waveout_tone.exe <seconds>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const int rate = 44100, bufferFrames = 4096, bufferCount = 8;
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 4 * rate;
    HANDLE done = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        std::fprintf(stderr, "waveout_tone: no output device\n");
        return 1;
    }
    std::vector<std::int16_t> buffers[bufferCount];
    WAVEHDR headers[bufferCount] = {};
    const double step = 2.0 * 3.14159265358979323846 * 440.0 / rate;
    std::int64_t frame = 0, last = static_cast<std::int64_t>(seconds * rate);
    auto fill = [&](int index) {
        for (int i = 0; i < bufferFrames; ++i, ++frame) {
            auto value = static_cast<std::int16_t>(16384.0 * std::sin(step * (frame % rate)));
            buffers[index][2 * i] = buffers[index][2 * i + 1] = value;
        }
        waveOutWrite(device, &headers[index], sizeof(WAVEHDR));
    };
    for (int i = 0; i < bufferCount; ++i) {
        buffers[i].assign(2 * bufferFrames, 0);
        headers[i].lpData = reinterpret_cast<LPSTR>(buffers[i].data());
        headers[i].dwBufferLength = 4 * bufferFrames;
        waveOutPrepareHeader(device, &headers[i], sizeof(WAVEHDR));
        fill(i);
    }
    while (frame < last) {
        WaitForSingleObject(done, INFINITE);
        for (int i = 0; i < bufferCount && frame < last; ++i) {
            if (headers[i].dwFlags & WHDR_DONE) fill(i);
        }
    }
    waveOutReset(device);
    for (int i = 0; i < bufferCount; ++i) {
        waveOutUnprepareHeader(device, &headers[i], sizeof(WAVEHDR));
    }
    waveOutClose(device);
    return 0;
}
