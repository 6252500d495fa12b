// CPU time to decode a minute of music and convert it to the output format,
// as the music's decoding thread does while it plays (the output device's
// thread only copies what it made).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "audio/audio.h"

namespace {

const int OutputRate = 44100;
const int BufferFrames = 1024;

std::vector<std::uint8_t> ReadMinute() {
    std::ifstream file(OMBREL_BENCH_MINUTE, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>());
}

void DecodeAMinuteOfMusic(benchmark::State& state) {
    std::vector<std::uint8_t> data = ReadMinute();
    std::vector<float> mix(2 * BufferFrames);
    std::int64_t frames = 0;
    for (auto _ : state) {
        std::unique_ptr<MusicStream> stream = MusicStream::Create(data, OutputRate);
        if (!stream) {
            state.SkipWithError("the minute of music does not open");
            return;
        }
        stream->Play(false);
        frames = 0;
        while (stream->IsPlaying()) {
            frames += stream->MixInto(mix.data(), BufferFrames);
        }
        benchmark::DoNotOptimize(mix.data());
    }
    state.counters["seconds_of_music"] = static_cast<double>(frames) / OutputRate;
}

}  // namespace

BENCHMARK(DecodeAMinuteOfMusic)->Unit(benchmark::kMillisecond);
