// OpenGLPrint's Run is the per-frame path of the demo: it should allocate
// nothing. The real pack is loaded and driven as the host drives it, on the
// display that DISPLAY names, and the allocations of the frames are counted.
#include <benchmark/benchmark.h>

#include "foundation/exception.h"
#include "host/pack_files.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"
#include "tests/support/allocation_counter.h"

using namespace Ombrel::Host;

namespace {

struct Demo {
    PluginRegistry registry;
    Variable openGL, name, width, height, colorBits, fullScreen, time, count;
    PluginCall* print = nullptr;
    const char* failure = nullptr;
    char message[512];

    Demo() {
        try {
            registry.AddPack(DevicePackFile);
            PluginCall* init = new PluginCall(registry, "OpenGLInit");
            print = new PluginCall(registry, "OpenGLPrint");
            String* title = new String();
            title->Assign("Kestrelia frame benchmark");
            name.value = title;
            width.value = new IntValue(320);
            height.value = new IntValue(240);
            colorBits.value = new IntValue(32);
            fullScreen.value = new IntValue(0);
            time.value = new FloatValue(0.0f);
            count.value = new IntValue(0);
            Variable* initArguments[] = {&openGL, &name, &width, &height, &colorBits, &fullScreen};
            for (int i = 0; i < 6; ++i) init->Bind(i, *initArguments[i]);
            print->Bind(0, openGL);
            print->Bind(1, time);
            print->Bind(2, count);
            init->mode = PluginCall::ScheduleOnce;
            init->StartIfDue(0.0f);
            print->StartIfDue(0.0f);
            init->Prepare();
            print->Prepare();
            init->Run();
        } catch (const Ombrel::Exception& exception) {
            for (int i = 0; i < 512; ++i) message[i] = exception.message[i];
            failure = message;
        }
    }
};

// One window for the whole program, opened on first use.
Demo& TheDemo() {
    static Demo* demo = new Demo();
    return *demo;
}

void OpenGLPrintFrame(benchmark::State& state) {
    Demo& demo = TheDemo();
    if (demo.failure != nullptr) {
        state.SkipWithError(demo.failure);
        return;
    }
    FloatValue& time = *static_cast<FloatValue*>(demo.time.value);
    IntValue& count = *static_cast<IntValue*>(demo.count.value);
    long frames = 0, newCalls = 0, mallocCalls = 0;
    for (auto _ : state) {
        time.value += 1.0f / 60.0f;
        ++count.value;
        AllocationCounter::Begin();
        demo.print->Run();
        AllocationCounter::End();
        ++frames;
        newCalls += AllocationCounter::NewCalls();
        mallocCalls += AllocationCounter::MallocCalls();
    }
    state.counters["frames"] = static_cast<double>(frames);
    // Allocations by C++ code (the pack's own) per frame: should be 0.
    state.counters["new/frame"] = static_cast<double>(newCalls) / frames;
    // All C allocations of the frame's thread per frame, the window
    // system's and the OpenGL driver's included.
    state.counters["malloc/frame"] = static_cast<double>(mallocCalls) / frames;
}

}  // namespace

BENCHMARK(OpenGLPrintFrame)->Iterations(2000)->Unit(benchmark::kMicrosecond);
