// Plugins that fail at each step of the demo: the failure leaves the first
// start or the frame in which it happened, unchanged, and a failure in a step
// that the demo never takes changes nothing.
#include <stdexcept>
#include <string>
#include <vector>

#include "host/demo_graph.h"
#include "plugin/module.h"
#include "tests/hostile/hostile_support.h"

using namespace Ombrel::Host;

namespace {

typedef void (*SetHostileFailureFunction)(const char* step, const char* kind);

// The demo's two packs replaced by failing ones, loaded once for the whole
// program as the host loads its packs: they live until the process ends.
class FailingDemo {
public:
    static FailingDemo& Get() {
        static FailingDemo* demo = new FailingDemo();
        return *demo;
    }

    void Choose(const char* step, const char* kind = "ombrel") {
        for (SetHostileFailureFunction set : setters) set(step, kind);
    }

    // A fresh graph over the failing packs. Graphs are kept, like the demo's
    // values, until the process ends.
    DemoGraph& NewGraph() {
        Settings defaults = {640, 480, 16, false, false};
        graphs.push_back(new DemoGraph(registry, defaults));
        return *graphs.back();
    }

    // Where the demo stops with `step` failing: "first start: <message>",
    // "frame <n>: <message>" or "stop: <message>".
    std::string Outcome(const char* step) {
        Choose(step);
        DemoGraph& graph = NewGraph();
        try {
            graph.FirstStart();
        } catch (const Ombrel::Exception& e) {
            return std::string("first start: ") + e.message;
        }
        for (int frame = 1; frame <= 10; ++frame) {
            try {
                graph.RunFrame(frame / 60.0f);
            } catch (const Ombrel::Exception& e) {
                return "frame " + std::to_string(frame) + ": " + e.message;
            }
        }
        try {
            graph.StopCalls();
        } catch (const Ombrel::Exception& e) {
            return std::string("stop: ") + e.message;
        }
        return "no end";
    }

private:
    FailingDemo() {
        registry.AddPack(PackFile("HostileScene").c_str());
        registry.AddPack(PackFile("HostileDevice").c_str());
        for (const char* pack : {"HostileScene", "HostileDevice"}) {
            ModuleHandle module = LoadModule(PackFile(pack).c_str());
            setters.push_back(reinterpret_cast<SetHostileFailureFunction>(
                FindModuleFunction(module, "SetHostileFailure")));
        }
    }

    PluginRegistry registry;
    std::vector<SetHostileFailureFunction> setters;
    std::vector<DemoGraph*> graphs;
};

TEST(HostileFailingSteps, AFailureInTheFirstStartLeavesIt) {
    const char* steps[] = {
        "OpenGLInit.Start",         "OpenGLInit.Prepare",   "OpenGLInit.Run",
        "OpenGLPrint.Start",        "OpenGLPrint.Prepare",  "LoadCOctreeScene.Start",
        "LoadCOctreeScene.Prepare", "LoadCOctreeScene.Run", "PrintCOctreeScene.Start"};
    for (const char* step : steps) {
        std::string plugin(step, std::string(step).find('.'));
        std::string operation = std::string(step).substr(plugin.size() + 1);
        EXPECT_EQ("first start: " + plugin + " failed in " + operation,
                  FailingDemo::Get().Outcome(step));
    }
}

TEST(HostileFailingSteps, AFailureInAFrameEndsTheFramesThere) {
    EXPECT_EQ("frame 1: PrintCOctreeScene failed in Run",
              FailingDemo::Get().Outcome("PrintCOctreeScene.Run"));
    EXPECT_EQ("frame 1: OpenGLPrint failed in Run", FailingDemo::Get().Outcome("OpenGLPrint.Run"));
}

// The demo never prepares the scene drawing and never forwards Stop (its
// calls loop for ever), so failures there never happen: the frames run until
// the device pack's window "closes" at its third frame.
TEST(HostileFailingSteps, AFailureInAStepTheDemoNeverTakesChangesNothing) {
    const char* steps[] = {"PrintCOctreeScene.Prepare", "LoadCOctreeScene.Stop",
                           "PrintCOctreeScene.Stop", "OpenGLInit.Stop", "OpenGLPrint.Stop"};
    for (const char* step : steps) {
        EXPECT_EQ("frame 3: OpenGL window closed", FailingDemo::Get().Outcome(step)) << step;
    }
}

// Exceptions of other types cross from the packs into the host unchanged:
// what the program's entry does with them is all that decides their fate.
TEST(HostileFailingSteps, ExceptionsOfOtherTypesPassThroughUnchanged) {
    FailingDemo& demo = FailingDemo::Get();
    demo.Choose("PrintCOctreeScene.Run", "std");
    DemoGraph& graph = demo.NewGraph();
    graph.FirstStart();
    try {
        graph.RunFrame(0.0f);
        ADD_FAILURE() << "the frame threw nothing";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ("PrintCOctreeScene failed in Run", e.what());
    }

    demo.Choose("LoadCOctreeScene.Start", "int");
    try {
        demo.NewGraph().FirstStart();
        ADD_FAILURE() << "the first start threw nothing";
    } catch (int thrown) {
        EXPECT_EQ(42, thrown);
    }
    demo.Choose(nullptr);
}

}  // namespace
