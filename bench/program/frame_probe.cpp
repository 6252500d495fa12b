// A probe preloaded (LD_PRELOAD) into a program that shows its frames with
// SDL2, so that the program is measured as it is, from outside. It records:
//   - when each frame was presented (SDL_GL_SwapWindow returned);
//   - the first reading of the monotonic clock made by the program's own code:
//     in the demo, its timer's reset, which is demo time 0;
//   - each buffer the audio device takes, with the music layer's count of
//     music frames played before it (OmbrelMusicFramesPlayed, when the
//     program exports it), and how long the program's callback took to fill
//     it;
//   - when the program takes an Escape key, a window close or a quit request
//     off its event queue;
//   - the program's peak resident memory.
// At exit it writes them, as lines of text with monotonic times in
// nanoseconds, to the file that FRAME_PROBE_OUTPUT names, with the time that
// writing took, which is not the program's.
//
// The audio device is clocked here: each buffer is handed over when the
// frames before it have had their time at the device's rate, as a sound
// card's crystal paces it. SDL's virtual devices pace themselves by sleeping
// a whole number of milliseconds per buffer (23 ms for 23.2 ms of sound),
// which would let the music run about one percent off the clock; run them
// without their own delay (SDL_DISKAUDIODELAY=0). A real device paces itself:
// FRAME_PROBE_PACE=0 leaves its buffers as it asks for them.
#include <SDL.h>
#include <dlfcn.h>
#include <link.h>
#include <sys/resource.h>
#include <time.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The real function `name` of the library behind this one, looked up once.
template <typename Function>
Function Real(Function& cached, const char* name) {
    if (cached == nullptr) cached = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
    return cached;
}

using ClockFunction = int (*)(clockid_t, timespec*);
ClockFunction realClock = nullptr;

std::int64_t Nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::int64_t Now(clockid_t clock = CLOCK_MONOTONIC) {
    timespec now;
    Real(realClock, "clock_gettime")(clock, &now);
    return Nanoseconds(now);
}

// The address range of the program's own code, set before the program runs.
std::uintptr_t programStart = 0, programEnd = 0;

int FindProgramCode(dl_phdr_info* info, std::size_t, void*) {
    // The first object is the program itself.
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_X)) continue;
        programStart = info->dlpi_addr + segment.p_vaddr;
        programEnd = programStart + segment.p_memsz;
        break;
    }
    return 1;
}

__attribute__((constructor)) void FindProgram() {
    Real(realClock, "clock_gettime");
    dl_iterate_phdr(FindProgramCode, nullptr);
}

// What is recorded; fixed arrays, so that recording never allocates.
const int MaxSwaps = 1 << 18;
const int MaxBuffers = 1 << 17;
struct Buffer {
    std::int64_t time;
    std::uint64_t musicBefore;
    int frames;
    std::int64_t took;
};
std::int64_t swaps[MaxSwaps];
std::atomic<int> swapCount{0};
Buffer buffers[MaxBuffers];
std::atomic<int> bufferCount{0};
std::atomic<std::int64_t> timerZero{0};
std::atomic<std::int64_t> requestTime{0};
const char* requestKind = "";

void Stamp(std::atomic<std::int64_t>& once, std::int64_t time) {
    std::int64_t unset = 0;
    once.compare_exchange_strong(unset, time);
}

// The program's audio callback, with the clock of the device in front of it.
struct AudioTap {
    SDL_AudioCallback callback = nullptr;
    void* userdata = nullptr;
    int frameBytes = 4;
    int frequency = 44100;
    std::int64_t start = 0;
    std::uint64_t framesTaken = 0;
    std::uint64_t (*musicFramesPlayed)() = nullptr;
    bool paced = true;
};
AudioTap tap;

void SleepUntil(std::int64_t time) {
    timespec until = {static_cast<time_t>(time / 1000000000), static_cast<long>(time % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

void SDLCALL TappedCallback(void* userdata, Uint8* stream, int bytes) {
    auto& device = *static_cast<AudioTap*>(userdata);
    std::int64_t now = Now();
    if (device.start == 0) {
        device.start = now;
    } else if (device.paced) {
        std::int64_t due = device.start + static_cast<std::int64_t>(
                                              device.framesTaken * 1000000000.0 / device.frequency);
        if (now < due) {
            SleepUntil(due);
            now = Now();
        }
    }
    int frames = bytes / device.frameBytes;
    std::uint64_t musicBefore = device.musicFramesPlayed ? device.musicFramesPlayed() : 0;
    device.callback(device.userdata, stream, bytes);
    int index = bufferCount.load(std::memory_order_relaxed);
    if (index < MaxBuffers) {
        buffers[index] = {now, musicBefore, frames, Now() - now};
        bufferCount.store(index + 1, std::memory_order_release);
    }
    device.framesTaken += static_cast<std::uint64_t>(frames);
}

void WriteRecord() {
    const char* name = std::getenv("FRAME_PROBE_OUTPUT");
    if (name == nullptr || *name == '\0') return;
    std::int64_t began = Now();
    std::FILE* file = std::fopen(name, "w");
    if (file == nullptr) return;
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(file, "realtime_offset %lld\n",
                 static_cast<long long>(Now(CLOCK_REALTIME) - Now(CLOCK_MONOTONIC)));
    std::fprintf(file, "peak_rss_kb %ld\n", usage.ru_maxrss);
    std::fprintf(file, "timer_zero %lld\n", static_cast<long long>(timerZero.load()));
    std::fprintf(file, "request %lld %s\n", static_cast<long long>(requestTime.load()),
                 requestKind);
    std::fprintf(file, "music_counted %d\n", tap.musicFramesPlayed != nullptr);
    std::fprintf(file, "audio_rate %d\n", tap.frequency);
    int count = swapCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) std::fprintf(file, "swap %lld\n", (long long)swaps[i]);
    count = bufferCount.load(std::memory_order_acquire);
    for (int i = 0; i < count; ++i) {
        std::fprintf(file, "buffer %lld %llu %d\n", (long long)buffers[i].time,
                     (unsigned long long)buffers[i].musicBefore, buffers[i].frames);
        std::fprintf(file, "callback %lld\n", (long long)buffers[i].took);
    }
    std::fprintf(file, "record_write %lld\n", static_cast<long long>(Now() - began));
    std::fclose(file);
}

__attribute__((destructor)) void AtExit() {
    WriteRecord();
}

// Stamps the first Escape key, window close or quit request that the
// program takes off its event queue.
void NoteRequest(const SDL_Event& event) {
    if (requestTime.load() != 0) return;
    const char* kind = nullptr;
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
        kind = "escape";
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
        kind = "close";
    } else if (event.type == SDL_QUIT) {
        kind = "quit";
    }
    if (kind != nullptr) {
        requestKind = kind;
        Stamp(requestTime, Now());
    }
}

}  // namespace

extern "C" {

int clock_gettime(clockid_t clock, timespec* time) {
    int result = Real(realClock, "clock_gettime")(clock, time);
    auto caller = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
    if (result == 0 && caller >= programStart && caller < programEnd && clock == CLOCK_MONOTONIC) {
        Stamp(timerZero, Nanoseconds(*time));
    }
    return result;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static void (*real)(SDL_Window*) = nullptr;
    Real(real, "SDL_GL_SwapWindow")(window);
    int index = swapCount.load(std::memory_order_relaxed);
    if (index < MaxSwaps) {
        swaps[index] = Now();
        swapCount.store(index + 1, std::memory_order_release);
    }
}

int SDL_PollEvent(SDL_Event* event) {
    static int (*real)(SDL_Event*) = nullptr;
    int result = Real(real, "SDL_PollEvent")(event);
    if (result == 1 && event != nullptr) NoteRequest(*event);
    return result;
}

// The device pack takes its events one at a time with SDL_PeepEvents.
int SDL_PeepEvents(SDL_Event* events, int count, SDL_eventaction action, Uint32 minType,
                   Uint32 maxType) {
    static int (*real)(SDL_Event*, int, SDL_eventaction, Uint32, Uint32) = nullptr;
    int result = Real(real, "SDL_PeepEvents")(events, count, action, minType, maxType);
    if (action == SDL_GETEVENT && events != nullptr) {
        for (int i = 0; i < result; ++i) NoteRequest(events[i]);
    }
    return result;
}

SDL_AudioDeviceID SDL_OpenAudioDevice(const char* name, int capture, const SDL_AudioSpec* desired,
                                      SDL_AudioSpec* obtained, int allowedChanges) {
    static SDL_AudioDeviceID (*real)(const char*, int, const SDL_AudioSpec*, SDL_AudioSpec*, int) =
        nullptr;
    Real(real, "SDL_OpenAudioDevice");
    // One device is watched: the first playback device fed by a callback.
    if (capture || desired == nullptr || desired->callback == nullptr || tap.callback != nullptr) {
        return real(name, capture, desired, obtained, allowedChanges);
    }
    tap.callback = desired->callback;
    tap.userdata = desired->userdata;
    tap.frameBytes = SDL_AUDIO_BITSIZE(desired->format) / 8 * desired->channels;
    tap.frequency = desired->freq;
    tap.musicFramesPlayed =
        reinterpret_cast<std::uint64_t (*)()>(dlsym(RTLD_DEFAULT, "OmbrelMusicFramesPlayed"));
    const char* pace = std::getenv("FRAME_PROBE_PACE");
    tap.paced = pace == nullptr || std::strcmp(pace, "0") != 0;
    SDL_AudioSpec tapped = *desired;
    tapped.callback = TappedCallback;
    tapped.userdata = &tap;
    SDL_AudioDeviceID device = real(name, capture, &tapped, obtained, allowedChanges);
    if (device == 0) {
        tap.callback = nullptr;
    } else if (allowedChanges != 0 && obtained != nullptr) {
        tap.frameBytes = SDL_AUDIO_BITSIZE(obtained->format) / 8 * obtained->channels;
        tap.frequency = obtained->freq;
    }
    return device;
}

}  // extern "C"
