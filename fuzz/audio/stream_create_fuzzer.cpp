// Stream creation on arbitrary bytes: whatever a file holds, creating a stream
// from it either fails or gives a stream that plays, rewinds and ends without
// a fault, mixed into the output format as the output device would take it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/mixer.h"

namespace {

const int OutputRate = 44100;
const int BufferFrames = 1024;
const int MostBuffers = 90;  // about two seconds of output

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<MusicStream> stream =
        MusicStream::Create(std::vector<std::uint8_t>(data, data + size), OutputRate);
    if (!stream) {
        return 0;
    }
    Mixer mixer;
    std::uint32_t handle = mixer.Add(std::move(stream));
    mixer.With(handle, [](MusicStream& s) {
        s.PreBuffer();
        s.Play(false);
    });
    std::vector<std::int16_t> samples(2 * BufferFrames);
    bool playing = true;
    for (int i = 0; i < MostBuffers && playing; ++i) {
        mixer.Render(samples.data(), BufferFrames);
        mixer.With(handle, [&playing](MusicStream& s) { playing = s.IsPlaying(); });
    }
    mixer.With(handle, [](MusicStream& s) { s.Play(true); });
    mixer.Render(samples.data(), BufferFrames);
    mixer.Remove(handle);
    return 0;
}
