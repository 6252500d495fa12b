// Frames per second of the whole demo beside a bare SDL2 loop that draws the
// same scene, at 640 x 480 on the X display. The demo side is the host's own
// frame loop over the real packs, found by bare name beside this program: the
// registry, the demo graph with its variables and calls, the first
// start (OpenGLInit opens the window, LoadCOctreeScene builds the scene) and
// the music playing from ./Data/audio.ogg; only the setup dialog is left out.
// The bare side opens the same window with SDL2 itself and draws the scene's
// value directly, with no registry, no calls, no bindings and no music. The
// ratio of the two rates is what the host and the plugin contract cost.
//
// Run from the staged folder, so that the music is found. The two loops
// alternate in one process, each in its own window side by side: --rounds=N
// runs N rounds of both loops, each for --benchmark_min_time seconds, the
// bare loop first in odd rounds and the demo first in even ones, so that a
// busy moment of the machine and the order weigh on both alike and the two
// can be compared round by round. The CPU time is
// the whole process's: Mesa's rasteriser threads and, once the demo has
// started it, the music's thread included.
#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "foundation/exception.h"
#include "foundation/timer.h"
#include "audio/audio.h"
#include "host/demo_graph.h"
#include "packs/scene/octree_scene.h"
#include "tests/support/allocation_counter.h"

namespace {

const int Width = 640;
const int Height = 480;
const char* const Title = " SOLVARA RealTime";

void SetFrameRate(benchmark::State& state) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Allocations of the frames' thread, the window system's and the GL
// driver's included.
void ReportAllocations(benchmark::State& state) {
    double frames = static_cast<double>(state.iterations());
    state.counters["new_per_frame"] = AllocationCounter::NewCalls() / frames;
    state.counters["malloc_per_frame"] = AllocationCounter::MallocCalls() / frames;
}

// The window that the device pack opens: 32-bit colour, 16-bit depth,
// double buffered, with its context current; at the right of the demo's.
class BareWindow {
public:
    BareWindow() {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 32);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow(Title, Width, 0, Width, Height,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
        if (window == nullptr) return;
        context = SDL_GL_CreateContext(window);
        SDL_GL_MakeCurrent(window, context);
        glViewport(0, 0, Width, Height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;

    bool IsOpen() const { return context != nullptr; }
    void MakeCurrent() { SDL_GL_MakeCurrent(window, context); }

    // What OpenGLPrint does after the scene: one event, show, clear.
    void Present() {
        SDL_Event event;
        SDL_PollEvent(&event);
        glFlush();
        SDL_GL_SwapWindow(window);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

private:
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

// Why a loop could not be measured, the first time it could not; the
// process then ends with status 1, and the loop's later rounds fail the same
// way instead of measuring a loop that draws nothing.
std::string bareFailure, demoFailure;

void Fail(benchmark::State& state, std::string& failure, const std::string& why) {
    if (failure.empty()) failure = why;
    state.SkipWithError(failure.c_str());
}

void BM_BareSceneLoop(benchmark::State& state) {
    // Opened once and kept, as the demo keeps its window, so that the GL
    // driver's first-use work (compiling its shaders) is paid once on both
    // sides.
    static BareWindow* window = new BareWindow();
    static COctreeScene* scene = nullptr;
    if (!bareFailure.empty() || !window->IsOpen()) {
        Fail(state, bareFailure, std::string("no window for the bare loop: ") + SDL_GetError());
        return;
    }
    window->MakeCurrent();
    if (scene == nullptr) scene = new COctreeScene(Title, 5);
    Timer timer;
    timer.Reset();
    AllocationCounter::Begin();
    for (auto _ : state) {
        scene->Draw(static_cast<float>(timer.Seconds()), 32, false);
        window->Present();
    }
    AllocationCounter::End();
    SetFrameRate(state);
    ReportAllocations(state);
}

// The music as RunDemo starts it; false when it cannot be played.
bool StartMusic() {
    if (!BASS_Init(-1, 44100, 0x50, nullptr)) return false;
    BASS_Start();
    HSTREAM stream = BASS_StreamCreateFile(0, "./Data/audio.ogg", 0, 0, 0);
    if (!stream) return false;
    BASS_StreamPreBuf(stream);
    return BASS_StreamPlay(stream, 0, 0) != 0;
}

void BM_DemoFrameLoop(benchmark::State& state) {
    // The packs, the graph and its values live until the process ends, as
    // in the demo.
    static PluginRegistry* registry = nullptr;
    static DemoGraph* graph = nullptr;
    static SDL_Window* window = nullptr;
    static SDL_GLContext context = nullptr;
    if (!demoFailure.empty()) {
        Fail(state, demoFailure, demoFailure);
        return;
    }
    try {
        if (registry == nullptr) {
            registry = new PluginRegistry();
            registry->AddPack("Vantrope" OMBREL_PACK_SUFFIX);
            registry->AddPack("Kestrelia" OMBREL_PACK_SUFFIX);
            Settings defaults = {Width, Height, 16, false, false};
            graph = new DemoGraph(*registry, defaults);
            graph->FirstStart();
            // OpenGLInit leaves its window's context current; the window
            // moves to the left, beside the bare loop's.
            window = SDL_GL_GetCurrentWindow();
            context = SDL_GL_GetCurrentContext();
            if (window == nullptr || context == nullptr) {
                Fail(state, demoFailure, "the demo made no window to draw in");
                return;
            }
            SDL_SetWindowPosition(window, 0, 0);
            if (!StartMusic()) {
                Fail(state, demoFailure, "the music did not start (run from the staged folder)");
                return;
            }
        }
    } catch (const Ombrel::Exception& e) {
        Fail(state, demoFailure, e.message);
        return;
    }
    SDL_GL_MakeCurrent(window, context);
    Timer timer;
    timer.Reset();
    AllocationCounter::Begin();
    try {
        for (auto _ : state) graph->RunFrame(static_cast<float>(timer.Seconds()));
    } catch (const Ombrel::Exception& e) {
        AllocationCounter::End();
        Fail(state, demoFailure, e.message);
        return;
    }
    AllocationCounter::End();
    SetFrameRate(state);
    ReportAllocations(state);
}

struct Loop {
    std::string name;
    void (*function)(benchmark::State&);
};

// The number of rounds that --rounds=N asks for (1 without it); the
// argument is taken out of the command line.
int TakeRounds(int* argc, char** argv) {
    const char prefix[] = "--rounds=";
    int rounds = 1;
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp(argv[i], prefix, sizeof(prefix) - 1) != 0) continue;
        rounds = std::max(1, std::atoi(argv[i] + sizeof(prefix) - 1));
        for (int j = i; j + 1 < *argc; ++j) argv[j] = argv[j + 1];
        --*argc;
        break;
    }
    return rounds;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = TakeRounds(&argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    for (int round = 1; round <= rounds; ++round) {
        std::string suffix = rounds > 1 ? "/round:" + std::to_string(round) : "";
        Loop loops[] = {{"BM_BareSceneLoop", BM_BareSceneLoop},
                        {"BM_DemoFrameLoop", BM_DemoFrameLoop}};
        if (round % 2 == 0) std::swap(loops[0], loops[1]);
        for (const Loop& loop : loops) {
            benchmark::RegisterBenchmark((loop.name + suffix).c_str(), loop.function)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string* failure : {&bareFailure, &demoFailure}) {
        if (!failure->empty()) std::fprintf(stderr, "demo_bench: %s\n", failure->c_str());
    }
    return bareFailure.empty() && demoFailure.empty() ? 0 : 1;
}
