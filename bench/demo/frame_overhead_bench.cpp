// The host's own work per frame, beside the least a frame loop can do. The
// host side runs the demo graph's frame over plugins that do nothing: one
// timer reading, the time stored into its value, five bindings and two plugin
// runs. The bare side reads the same clock and makes two virtual calls on the
// same plugin objects. Both count the allocations made per frame.
#include <benchmark/benchmark.h>

#include "foundation/timer.h"
#include "host/demo_graph.h"
#include "tests/support/allocation_counter.h"

using namespace Ombrel::Host;

namespace {

// The quiet pack and a demo graph over it, built once and kept until the
// process ends, as the demo keeps its own.
DemoGraph& QuietGraph() {
    static DemoGraph* graph = [] {
        PluginRegistry* registry = new PluginRegistry();
        registry->AddPack("BenchQuiet" OMBREL_PACK_SUFFIX);
        Settings defaults = {640, 480, 16, false, false};
        DemoGraph* made = new DemoGraph(*registry, defaults);
        made->FirstStart();
        return made;
    }();
    return *graph;
}

void ReportAllocations(benchmark::State& state) {
    double frames = static_cast<double>(state.iterations());
    state.counters["new_per_frame"] = AllocationCounter::NewCalls() / frames;
    state.counters["malloc_per_frame"] = AllocationCounter::MallocCalls() / frames;
}

void BM_HostFrame(benchmark::State& state) {
    DemoGraph& graph = QuietGraph();
    Timer timer;
    timer.Reset();
    AllocationCounter::Begin();
    for (auto _ : state) graph.RunFrame(static_cast<float>(timer.Seconds()));
    AllocationCounter::End();
    ReportAllocations(state);
}

void BM_BareFrame(benchmark::State& state) {
    DemoGraph& graph = QuietGraph();
    Plugin* drawScene = graph.calls.drawSceneCall.plugin;
    Plugin* print = graph.calls.printCall.plugin;
    Timer timer;
    timer.Reset();
    AllocationCounter::Begin();
    for (auto _ : state) {
        float seconds = static_cast<float>(timer.Seconds());
        benchmark::DoNotOptimize(seconds);
        drawScene->Run();
        print->Run();
    }
    AllocationCounter::End();
    ReportAllocations(state);
}

}  // namespace

BENCHMARK(BM_BareFrame)->MinTime(2.0);
BENCHMARK(BM_HostFrame)->MinTime(2.0);

BENCHMARK_MAIN();
