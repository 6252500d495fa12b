#pragma once

#include "foundation/timer.h"
#include "host/settings.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"

// The demo's eleven variables, in their order of creation; destroyed in the
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

// The four calls, in their order of creation.
struct DemoCalls {
    PluginCall initCall;
    PluginCall printCall;
    PluginCall loadSceneCall;
    PluginCall drawSceneCall;

    explicit DemoCalls(PluginRegistry& registry);
};

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

    // One frame at time `seconds`: DrawFrame, then PresentFrame. Allocates
    // nothing. Exceptions of the plugins pass on.
    void RunFrame(float seconds);

    // The two halves of a frame, for a program that looks at the drawn frame
    // before it is shown. DrawFrame stores the time and runs the scene
    // drawing into the back buffer; PresentFrame runs OpenGLPrint, which
    // shows the frame and clears the back buffer for the next one.
    void DrawFrame(float seconds);
    void PresentFrame();

    // Stops the four calls at shutdown.
    void StopCalls();

    DemoVariables variables;
    DemoCalls calls;
};
