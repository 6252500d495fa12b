// Frames per second of PrintCOctreeScene plus presentation (swap and clear,
// as the OpenGL pack does it), beside a loop that only clears and presents,
// at 640 x 480 and 1024 x 768. Needs an X display.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "tests/support/scene_harness.h"

namespace {

// A frame time of 60 frames per second, so the camera, the levels and the
// satellites move as they do in the demo.
const float FrameSeconds = 1.0f / 60.0f;

std::unique_ptr<SceneHarness> OpenHarness(benchmark::State& state) {
    try {
        return std::unique_ptr<SceneHarness>(
            new SceneHarness(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return nullptr;
    }
}

void SetFrameRate(benchmark::State& state) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ClearAndPresent(benchmark::State& state) {
    std::unique_ptr<SceneHarness> harness = OpenHarness(state);
    if (!harness) return;
    for (auto _ : state) harness->Present();
    SetFrameRate(state);
}

void BM_SceneAndPresent(benchmark::State& state) {
    std::unique_ptr<SceneHarness> harness = OpenHarness(state);
    if (!harness) return;
    harness->Load(" SOLVARA RealTime", 5);
    // Start past the fade, and run through levels and sweeps alike.
    float time = 4.0f;
    for (auto _ : state) {
        harness->Draw(time, 32, true);
        harness->Present();
        time += FrameSeconds;
    }
    SetFrameRate(state);
}

}  // namespace

BENCHMARK(BM_ClearAndPresent)->Args({640, 480})->Args({1024, 768})->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_SceneAndPresent)->Args({640, 480})->Args({1024, 768})->UseRealTime()->MinTime(3.0);

BENCHMARK_MAIN();
