#include "host/demo_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "host/pack_names.h"

using namespace Ombrel::Host;

// The recording stand-ins of the two packs (recording_pack.cpp) log what the
// demo graph makes them do, each test into a file of its own, since the test
// cases may run side by side in one folder.
namespace {

const char* const SceneStandIn = "HostRecordScene" OMBREL_PACK_SUFFIX;
const char* const DeviceStandIn = "HostRecordDevice" OMBREL_PACK_SUFFIX;

std::string LogPath() {
    return std::string("host-record-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
}

std::vector<std::string> ReadLog() {
    std::vector<std::string> lines;
    std::ifstream file(LogPath());
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The demo never frees its values: they live until the process ends. A test
// frees the host's own ones when it is done, so that leak checks stay useful.
class HostValues {
public:
    explicit HostValues(DemoVariables& variables) : v(variables) {}
    ~HostValues() {
        delete static_cast<String*>(v.titleVar.value);
        for (Variable* scalar : {&v.widthVar, &v.heightVar, &v.colorBitsVar, &v.fullScreenVar,
                                 &v.countVar, &v.englishVar, &v.constant5Var}) {
            delete static_cast<IntValue*>(scalar->value);
        }
        delete v.time;
    }

private:
    DemoVariables& v;
};

// The stand-in packs in a registry, in the order given.
struct StandInRegistry {
    explicit StandInRegistry(std::initializer_list<const char*> packs) {
        for (const char* pack : packs) registry.AddPack(pack);
    }
    PluginRegistry registry;
};

// A demo graph over the stand-in packs, after its first start.
struct StartedDemo : StandInRegistry {
    StartedDemo(std::initializer_list<const char*> packs, const Settings& chosen)
        : StandInRegistry(packs), graph(registry, chosen), values(graph.variables) {
        graph.FirstStart();
    }
    DemoGraph graph;
    HostValues values;
};

class DemoGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearLog();
        for (const char* pack : {SceneStandIn, DeviceStandIn}) {
            typedef void (*SetRecordLogFunction)(const char*);
            ModuleFunction set = FindModuleFunction(LoadModule(pack), "SetRecordLog");
            ASSERT_NE(set, nullptr) << pack << " does not export SetRecordLog";
            reinterpret_cast<SetRecordLogFunction>(set)(LogPath().c_str());
        }
    }
    void TearDown() override { ClearLog(); }
    static void ClearLog() { std::remove(LogPath().c_str()); }
};

TEST_F(DemoGraphTest, FirstStartRunsThePluginsInTheDemoOrderWithTheChosenSettings) {
    StartedDemo demo({SceneStandIn, DeviceStandIn}, {800, 600, 32, true, true});
    DemoGraph& graph = demo.graph;

    std::vector<std::string> expected = {
        "OpenGLInit.Start",
        "LoadCOctreeScene.Start",
        "OpenGLPrint.Start",
        "OpenGLInit.Prepare",
        "LoadCOctreeScene.Prepare",
        "OpenGLPrint.Prepare",
        "OpenGLInit.Run title=' SOLVARA RealTime' width=800 height=600 colorBits=32 fullScreen=1",
        "PrintCOctreeScene.Start",
        "LoadCOctreeScene.Run title=' SOLVARA RealTime' detail=5",
    };
    EXPECT_EQ(ReadLog(), expected) << "PrintCOctreeScene must never get Prepare";
    EXPECT_NE(graph.variables.openGLVar.value, nullptr) << "OpenGLInit's device was not kept";
    EXPECT_NE(graph.variables.sceneVar.value, nullptr) << "the loaded scene was not kept";
}

TEST_F(DemoGraphTest, FramesPassTheTimeAndEndWhenThePrintPluginThrows) {
    StartedDemo demo({SceneStandIn, DeviceStandIn}, {640, 480, 16, false, false});
    DemoGraph& graph = demo.graph;
    ClearLog();

    graph.RunFrame(0.25f);
    std::vector<std::string> firstFrame = {
        "PrintCOctreeScene.Run scene=77 time=0.250000 count=32 english=0",
        "OpenGLPrint.Run openGL=1 time=0.250000 count=32",
    };
    EXPECT_EQ(ReadLog(), firstFrame);
    EXPECT_FLOAT_EQ(static_cast<FloatValue*>(graph.variables.timeVar.value)->value, 0.25f)
        << "the time goes into the existing value";

    // The two halves of a frame, as a program that reads the frame back
    // between them uses them.
    ClearLog();
    graph.DrawFrame(0.5f);
    EXPECT_EQ(ReadLog(), std::vector<std::string>{
                             "PrintCOctreeScene.Run scene=77 time=0.500000 count=32 english=0"});
    graph.PresentFrame();
    EXPECT_EQ(ReadLog().back(), "OpenGLPrint.Run openGL=1 time=0.500000 count=32");

    // The stand-in OpenGLPrint closes its window at its tenth run.
    bool closed = false;
    for (int frame = 1; frame < 10 && !closed; ++frame) {
        try {
            graph.RunFrame(0.25f + frame);
        } catch (Ombrel::Exception& exception) {
            EXPECT_STREQ(exception.message, "OpenGL window closed");
            closed = true;
        }
    }
    EXPECT_TRUE(closed) << "the exception of a frame must reach the caller";

    ClearLog();
    graph.StopCalls();
    EXPECT_TRUE(ReadLog().empty()) << "calls that always run never forward Stop";
}

TEST_F(DemoGraphTest, MissingScenePluginsLeaveTheSceneEmptyAndTheDeviceWorking) {
    StartedDemo demo({DeviceStandIn}, {640, 480, 16, false, false});
    DemoGraph& graph = demo.graph;
    ClearLog();
    EXPECT_NO_THROW(graph.RunFrame(1.5f)) << "a frame without scene plugins must still run";
    std::vector<std::string> frame = {"OpenGLPrint.Run openGL=1 time=1.500000 count=32"};
    EXPECT_EQ(ReadLog(), frame);
    EXPECT_EQ(graph.variables.sceneVar.value, nullptr);
}

TEST_F(DemoGraphTest, EveryFrameBindsTheSceneAndPrintArgumentsAgain) {
    StartedDemo demo({SceneStandIn, DeviceStandIn}, {640, 480, 16, false, true});
    DemoGraph& graph = demo.graph;
    // Between frames something else binds the plugins' arguments elsewhere;
    // the next frame binds them back to the demo's variables.
    Variable stray;
    IntValue strayValue(-5);
    stray.value = &strayValue;
    for (int index : {0, 1, 2}) graph.calls.drawSceneCall.Bind(index, stray);
    for (int index : {1, 2}) graph.calls.printCall.Bind(index, stray);
    ClearLog();

    graph.RunFrame(2.0f);
    std::vector<std::string> frame = {
        "PrintCOctreeScene.Run scene=77 time=2.000000 count=32 english=1",
        "OpenGLPrint.Run openGL=1 time=2.000000 count=32",
    };
    EXPECT_EQ(ReadLog(), frame);
}

// The calls that drew into the window's context let go of it before the
// window closes; the calls that own the window stop after. Every call stops
// once.
TEST(DemoGraphTables, TheWindowClosesBetweenTheOtherCallsAndItsOwn) {
    int closes = 0;
    std::vector<PluginCall DemoCalls::*> stopped;
    for (const DemoStopStep& step : DemoStopOrder) {
        if (step.action == DemoStopStep::CloseWindow) {
            EXPECT_EQ(step.call, nullptr);
            ++closes;
            continue;
        }
        EXPECT_EQ(OwnsWindow(step.call), closes == 1) << "stop step " << stopped.size();
        stopped.push_back(step.call);
    }
    EXPECT_EQ(closes, 1);
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        EXPECT_EQ(std::count(stopped.begin(), stopped.end(), entry.call), 1) << entry.pluginName;
        const bool device = std::strcmp(entry.packName, OMBREL_DEVICE_PACK) == 0;
        EXPECT_EQ(entry.ownsWindow, device) << entry.pluginName;
        EXPECT_EQ(OwnsWindow(entry.call), entry.ownsWindow) << entry.pluginName;
    }
}

TEST(DemoGraphTables, OnlyTheDevicePacksTwoTextsEndTheFrames) {
    EXPECT_TRUE(EndsTheFrames("OpenGL window closed")) << "the window closed";
    EXPECT_TRUE(EndsTheFrames("Opengl window closed")) << "a quit request";
    for (const char* failure :
         {"OpenGLPrint: no OpenGL device", "OpenGL window closed.", "opengl window closed", "",
          "Plugin OpenGLPrint: argument "
          "time holds no value"}) {
        EXPECT_FALSE(EndsTheFrames(failure)) << failure;
    }
}

TEST_F(DemoGraphTest, AMissingWindowPluginIsNamed) {
    struct Case {
        std::initializer_list<const char*> packs;
        const char* missing;
    };
    for (const Case& c :
         {Case{{SceneStandIn}, "OpenGLInit"}, Case{{SceneStandIn, DeviceStandIn}, nullptr}}) {
        StandInRegistry standIns(c.packs);
        DemoGraph graph(standIns.registry, {640, 480, 16, false, false});
        HostValues values(graph.variables);
        const char* missing = graph.MissingWindowPlugin();
        EXPECT_STREQ(missing != nullptr ? missing : "(none)", c.missing ? c.missing : "(none)");
    }
}

TEST(DemoVariables, HoldTheTypesAndValuesOfTheDemo) {
    Settings chosen = {320, 240, 16, false, true};
    DemoVariables v(chosen);
    HostValues values(v);
    struct Expected {
        Variable* variable;
        const char* typeName;
        int number;  // -1: no IntValue to check
    };
    const Expected table[] = {
        {&v.openGLVar, "OpenGL", -1},      {&v.titleVar, "String", -1},
        {&v.widthVar, "int", 320},         {&v.heightVar, "int", 240},
        {&v.colorBitsVar, "int", 16},      {&v.fullScreenVar, "bool", 0},
        {&v.countVar, "int", 32},          {&v.englishVar, "bool", 1},
        {&v.sceneVar, "COctreeScene", -1}, {&v.constant5Var, "int", 5},
        {&v.timeVar, "float", -1},
    };
    for (const Expected& row : table) {
        EXPECT_STREQ(row.variable->typeName.GetText(), row.typeName);
        EXPECT_EQ(row.variable->name.GetLength(), 0) << row.typeName;
        if (row.number >= 0) {
            ASSERT_NE(row.variable->value, nullptr) << row.typeName;
            EXPECT_EQ(static_cast<IntValue*>(row.variable->value)->value, row.number)
                << row.typeName;
        }
    }
    EXPECT_EQ(v.openGLVar.value, nullptr);
    EXPECT_EQ(v.sceneVar.value, nullptr);
    EXPECT_STREQ(static_cast<String*>(v.titleVar.value)->GetText(), " SOLVARA RealTime");
    EXPECT_EQ(static_cast<FloatValue*>(v.timeVar.value)->value, 0.0f);
}

}  // namespace
