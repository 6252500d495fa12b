#pragma once

#include "foundation/timer.h"
#include "host/settings.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"

namespace Ombrel::Host {

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

// Each call, the plugin it runs, the demo pack that plugin comes from (see
// pack_names.h) and whether the call owns the window, in the order of
// creation. OpenGLInit opens the window and OpenGLPrint shows its frames:
// the other calls draw into its context, so a window made anew means every
// call made anew.
struct DemoCallPlugin {
    PluginCall DemoCalls::*call;
    const char* pluginName;
    const char* packName;
    bool ownsWindow;
};
extern const DemoCallPlugin DemoCallPlugins[4];

// Whether `call` is one of the calls that own the window.
bool OwnsWindow(PluginCall DemoCalls::*call);

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

// The order the calls stop in, with the place where the window closes: the
// calls that drew into the window's context let go of what they made there
// first, then the window closes, then the calls that own it stop.
struct DemoStopStep {
    enum Action { Stop, CloseWindow };
    PluginCall DemoCalls::*call;  // null for CloseWindow
    Action action;
};
extern const DemoStopStep DemoStopOrder[5];

// Whether `message`, thrown by a frame's PresentFrame, is the device pack's
// word that its window has gone (window_closed.h): the normal end of the
// demo's frames rather than a failure.
bool EndsTheFrames(const char* message);

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

    // Stops the calls at shutdown, in DemoStopOrder (the host's window
    // closes by itself).
    void StopCalls();

    // The name of the first call that owns the window and found no plugin,
    // null when both have theirs.
    const char* MissingWindowPlugin() const;

    DemoVariables variables;
    DemoCalls calls;
};

}  // namespace Ombrel::Host
