#pragma once

#include "foundation/timer.h"
#include "host/settings.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"

// The demo's variables, in their order of creation; destroyed in the
// reverse order. The values made here are never deleted: plugins keep reading
// them through their slots until the process ends.
struct DemoVariables {
    Variable openGLVar;
    Variable titleVar;
    Variable widthVar;
    Variable heightVar;
    Variable colorBitsVar;
    Variable fullScreenVar;
    Variable countVar;
    Variable englishVar;
    Variable sceneVar;
    Variable constant5Var;
    Variable timeVar;
    // The value behind timeVar, rewritten every frame.
    FloatValue* time;

    explicit DemoVariables(const Settings& from);
};

// The demo's calls, in their order of creation.
struct DemoCalls {
    PluginCall initCall;
    PluginCall printCall;
    PluginCall loadSceneCall;
    PluginCall drawSceneCall;

    explicit DemoCalls(PluginRegistry& registry);
};

// The demo graph as tables, which the graph itself follows and which a tool
// that rebuilds part of the graph (a reloaded pack) follows in the same way.

// Each call, the plugin it runs and the demo pack that plugin comes from
// (see pack_names.h), in the order of creation.
struct DemoCallPlugin {
    PluginCall DemoCalls::*call;
    const char* pluginName;
    const char* packName;
};
extern const DemoCallPlugin DemoCallPlugins[4];

// The argument bindings, in the order the graph makes them, with whether
// the plugin reads the variable or makes its value: together with the
// variables' type names, the signature each call expects of its plugin.
struct DemoBinding {
    enum Direction { In, Out };
    PluginCall DemoCalls::*call;
    int index;
    Variable DemoVariables::*variable;
    Direction direction;
};
extern const DemoBinding DemoBindings[16];

// The steps of the first start, in their order.
struct DemoStartStep {
    enum Action { StartIfDue, Prepare, Run };
    PluginCall DemoCalls::*call;
    Action action;
};
extern const DemoStartStep DemoFirstStart[10];

// The fixed graph of the demo: which plugins run, in which order, with which
// shared variables. Building it creates the variables, then the calls, then
// binds them.
class DemoGraph {
public:
    DemoGraph(PluginRegistry& registry, const Settings& from);
    DemoGraph(const DemoGraph&) = delete;
    DemoGraph& operator=(const DemoGraph&) = delete;

    // Starts, prepares and runs the plugins once in the demo's fixed order:
    // OpenGLInit opens the window, LoadCOctreeScene loads the scene.
    void FirstStart();
    // One step of the first start (every StartIfDue is given time 0).
    void RunStartStep(const DemoStartStep& step);
    // Binds the arguments of one call as the graph binds them.
    void BindCall(PluginCall DemoCalls::*call);

    // One frame at time `seconds`: DrawFrame, then PresentFrame. Allocates
    // nothing. Exceptions of the plugins pass on.
    void RunFrame(float seconds);

    // The two halves of a frame, for a program that looks at the drawn frame
    // before it is shown. DrawFrame stores the time and runs the scene
    // drawing into the back buffer; PresentFrame runs OpenGLPrint, which
    // shows the frame and clears the back buffer for the next one.
    void DrawFrame(float seconds);
    void PresentFrame();

    // Stops the calls at shutdown.
    void StopCalls();

    DemoVariables variables;
    DemoCalls calls;
};
