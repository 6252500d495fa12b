#include "host/audio/bass.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

#include "host/audio/audio_output.h"
#include "host/audio/mixer.h"

namespace {

const std::uint32_t Version = 0x30001;
const std::uint32_t LowestFrequency = 8000;
const std::uint32_t HighestFrequency = 192000;

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

bool ReadFile(const char* name, std::uint32_t offset, std::uint32_t length,
              std::vector<std::uint8_t>* data) {
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        return false;
    }
    file.seekg(offset);
    if (!file) {
        return false;
    }
    if (length == 0) {
        data->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return true;
    }
    data->resize(length);
    file.read(reinterpret_cast<char*>(data->data()), length);
    data->resize(static_cast<std::size_t>(file.gcount()));
    return true;
}

// Runs `action` on the mixer under the library's lock: 0 before BASS_Init,
// otherwise whether the action succeeded.
template <typename Action>
int WithMixer(Action action) {
    Library& library = TheLibrary();
    std::lock_guard<std::mutex> lock(library.mutex);
    return library.mixer && action(*library.mixer);
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
    std::vector<std::uint8_t> data;
    if (memory) {
        const auto* bytes = static_cast<const std::uint8_t*>(file);
        data.assign(bytes, bytes + length);
    } else if (!ReadFile(static_cast<const char*>(file), offset, length, &data)) {
        return 0;
    }
    std::unique_ptr<MusicStream> stream = MusicStream::Create(std::move(data), library.frequency);
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

int BASS_StreamPlay(HSTREAM handle, int flush, std::uint32_t /*flags*/) {
    return WithMixer([handle, flush](Mixer& mixer) {
        return mixer.With(handle, [flush](MusicStream& s) { s.Play(flush != 0); });
    });
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
