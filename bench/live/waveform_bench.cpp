// Wall time to compute the waveform's peaks of a minute of music: how long
// after the session's start (or a new music file) the timeline page has them.
#include <benchmark/benchmark.h>

#include <atomic>

#include "programs/live/waveform_peaks.h"

using namespace Ombrel::Live;

namespace {

void PeaksOfAMinuteOfMusic(benchmark::State& state) {
    std::atomic<bool> stop{false};
    std::size_t columns = 0;
    for (auto _ : state) {
        WaveformPeaks peaks = ComputeWaveformPeaks(OMBREL_BENCH_MINUTE, 2000, stop);
        columns = peaks.columns.size();
        benchmark::DoNotOptimize(peaks.columns.data());
    }
    if (columns != 2000) state.SkipWithError("the minute of music gave no peaks");
}
BENCHMARK(PeaksOfAMinuteOfMusic)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
