#include "audio/bass.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio_output.h"
#include "audio/mixer.h"
#include "audio/music_file.h"
#include "audio/music_frames_played.h"

namespace {

const std::uint32_t Version = 0x30001;
const std::uint32_t LowestFrequency = 8000;
const std::uint32_t HighestFrequency = 192000;
// How long the music may take to reach the device once it plays.
const int MostMsToFirstBuffer = 500;

// The library's state between BASS_Init and BASS_Free. The mixer outlives the
// output, whose thread renders from it.
struct Library {
    std::mutex mutex;  // one operation at a time
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<AudioOutput> output;
    int frequency = 0;
};

// Never destroyed: a program may end without BASS_Free, and closing a device
// while the process winds down can hang.
Library& TheLibrary() {
    static Library* library = new Library;
    return *library;
}

// Runs `action` on the mixer under the library's lock: 0 before BASS_Init,
// otherwise whether the action succeeded.
template <typename Action>
int WithMixer(Action action) {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    return library.mixer && action(*library.mixer);
}

double OutputLatency() {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    return library.output ? library.output->LatencySeconds() : 0.0;
}

}  // namespace

std::uint32_t BASS_GetVersion() {
    return Version;
}

int BASS_Init(int device, std::uint32_t frequency, std::uint32_t /*flags*/, void* /*window*/) {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    if (library.output || (device != -1 && device != 1) || frequency < LowestFrequency ||
        frequency > HighestFrequency) {
        return 0;
    }
    std::unique_ptr<Mixer> mixer(new Mixer);
    Mixer* rendering = mixer.get();
    std::unique_ptr<AudioOutput> output = AudioOutput::Open(
        static_cast<int>(frequency),
        [rendering](std::int16_t* samples, int frames) { rendering->Render(samples, frames); });
    if (!output) {
        return 0;
    }
    library.mixer = std::move(mixer);
    library.output = std::move(output);
    library.frequency = static_cast<int>(frequency);
    return 1;
}

int BASS_Start() {
    return WithMixer([](Mixer& mixer) {
        mixer.SetRunning(true);
        return true;
    });
}

HSTREAM BASS_StreamCreateFile(int memory, const void* file, std::uint32_t offset,
                              std::uint32_t length, std::uint32_t /*flags*/) {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    if (!library.mixer || !file) {
        return 0;
    }
    std::unique_ptr<MusicStream> stream;
    if (memory) {
        const auto* bytes = static_cast<const std::uint8_t*>(file);
        stream = MusicStream::Create(std::vector<std::uint8_t>(bytes, bytes + length),
                                     library.frequency);
    } else {
        stream = OpenMusicFile(static_cast<const char*>(file), library.frequency, offset, length);
    }
    if (!stream) {
        return 0;
    }
    return library.mixer->Add(std::move(stream));
}

int BASS_StreamPreBuf(HSTREAM handle) {
    return WithMixer([handle](Mixer& mixer) {
        return mixer.With(handle, [](MusicStream& s) { s.PreBuffer(); });
    });
}

// Returns once the music starts to be heard: after the device has taken its
// first buffer of it, and the time the output holds a buffer before it is
// heard. A program that starts its clock next has picture and music together
// from the first frame, whatever the output keeps queued. The waits count
// sleeps instead of reading a clock: the program's first reading of the clock
// is its own.
int BASS_StreamPlay(HSTREAM handle, int flush, std::uint32_t /*flags*/) {
    bool started = false;
    std::uint64_t before = OmbrelMusicFramesPlayed();
    int played = WithMixer([handle, flush, &started](Mixer& mixer) {
        return mixer.With(handle, [flush, &started](MusicStream& s) {
            started = !s.IsPlaying();
            s.Play(flush != 0);
        });
    });
    if (!played || !started) return played;
    // An output that holds nothing (a file, a virtual device) needs no wait.
    if (OutputLatency() <= 0.0) return played;
    for (int waited = 0; waited < MostMsToFirstBuffer && OmbrelMusicFramesPlayed() == before;
         ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // What is queued ahead of the buffer that holds the music's start.
    std::this_thread::sleep_for(std::chrono::duration<double>(OutputLatency()));
    return played;
}

int BASS_Stop() {
    return WithMixer([](Mixer& mixer) {
        mixer.SetRunning(false);
        mixer.StopAll();
        return true;
    });
}

int BASS_StreamFree(HSTREAM handle) {
    return WithMixer([handle](Mixer& mixer) { return mixer.Remove(handle); });
}

int BASS_Free() {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    if (!library.output) {
        return 0;
    }
    library.output.reset();
    library.mixer.reset();
    library.frequency = 0;
    return 1;
}
