#include "host/demo_graph.h"

#include <cstring>

#include "host/pack_names.h"
#include "packs/opengl/window_closed.h"

namespace Ombrel::Host {

namespace {

const char* const InitPlugin = "OpenGLInit";
const char* const PrintPlugin = "OpenGLPrint";
const char* const LoadScenePlugin = "LoadCOctreeScene";
const char* const DrawScenePlugin = "PrintCOctreeScene";

void Define(Variable& variable, const char* typeName, Value* value) {
    variable.typeName.Assign(typeName);
    variable.value = value;
}

}  // namespace

DemoVariables::DemoVariables(const Settings& from) : time(nullptr) {
    Define(openGLVar, "OpenGL", nullptr);
    Define(titleVar, "String", new String("%s", " SOLVARA RealTime"));
    Define(widthVar, "int", new IntValue(from.width));
    Define(heightVar, "int", new IntValue(from.height));
    Define(colorBitsVar, "int", new IntValue(from.colorBits));
    Define(fullScreenVar, "bool", new IntValue(from.fullScreen ? 1 : 0));
    Define(countVar, "int", new IntValue(32));
    Define(englishVar, "bool", new IntValue(from.english ? 1 : 0));
    Define(sceneVar, "COctreeScene", nullptr);
    Define(constant5Var, "int", new IntValue(5));
    time = new FloatValue(0.0f);
    Define(timeVar, "float", time);
}

const DemoCallPlugin DemoCallPlugins[4] = {
    {&DemoCalls::initCall, InitPlugin, OMBREL_DEVICE_PACK, true},
    {&DemoCalls::printCall, PrintPlugin, OMBREL_DEVICE_PACK, true},
    {&DemoCalls::loadSceneCall, LoadScenePlugin, OMBREL_SCENE_PACK, false},
    {&DemoCalls::drawSceneCall, DrawScenePlugin, OMBREL_SCENE_PACK, false},
};

bool OwnsWindow(PluginCall DemoCalls::*call) {
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        if (entry.call == call) return entry.ownsWindow;
    }
    return false;
}

const DemoBinding DemoBindings[16] = {
    {&DemoCalls::initCall, 0, &DemoVariables::openGLVar, DemoBinding::Out},
    {&DemoCalls::initCall, 1, &DemoVariables::titleVar, DemoBinding::In},
    {&DemoCalls::initCall, 2, &DemoVariables::widthVar, DemoBinding::In},
    {&DemoCalls::initCall, 3, &DemoVariables::heightVar, DemoBinding::In},
    {&DemoCalls::initCall, 4, &DemoVariables::colorBitsVar, DemoBinding::In},
    {&DemoCalls::initCall, 5, &DemoVariables::fullScreenVar, DemoBinding::In},
    {&DemoCalls::loadSceneCall, 0, &DemoVariables::sceneVar, DemoBinding::Out},
    {&DemoCalls::loadSceneCall, 1, &DemoVariables::titleVar, DemoBinding::In},
    {&DemoCalls::loadSceneCall, 2, &DemoVariables::constant5Var, DemoBinding::In},
    {&DemoCalls::drawSceneCall, 0, &DemoVariables::sceneVar, DemoBinding::In},
    {&DemoCalls::drawSceneCall, 1, &DemoVariables::timeVar, DemoBinding::In},
    {&DemoCalls::drawSceneCall, 2, &DemoVariables::countVar, DemoBinding::In},
    {&DemoCalls::drawSceneCall, 3, &DemoVariables::englishVar, DemoBinding::In},
    {&DemoCalls::printCall, 0, &DemoVariables::openGLVar, DemoBinding::In},
    {&DemoCalls::printCall, 1, &DemoVariables::timeVar, DemoBinding::In},
    {&DemoCalls::printCall, 2, &DemoVariables::countVar, DemoBinding::In},
};

// Not active yet when its Prepare comes: that Prepare reaches no plugin, so
// the scene drawing stays active once started after it.
const DemoStartStep DemoFirstStart[10] = {
    {&DemoCalls::initCall, DemoStartStep::StartIfDue},
    {&DemoCalls::loadSceneCall, DemoStartStep::StartIfDue},
    {&DemoCalls::printCall, DemoStartStep::StartIfDue},
    {&DemoCalls::initCall, DemoStartStep::Prepare},
    {&DemoCalls::loadSceneCall, DemoStartStep::Prepare},
    {&DemoCalls::drawSceneCall, DemoStartStep::Prepare},
    {&DemoCalls::printCall, DemoStartStep::Prepare},
    {&DemoCalls::initCall, DemoStartStep::Run},
    {&DemoCalls::drawSceneCall, DemoStartStep::StartIfDue},
    {&DemoCalls::loadSceneCall, DemoStartStep::Run},
};

const DemoStopStep DemoStopOrder[5] = {
    {&DemoCalls::drawSceneCall, DemoStopStep::Stop},
    {&DemoCalls::loadSceneCall, DemoStopStep::Stop},
    {nullptr, DemoStopStep::CloseWindow},
    {&DemoCalls::initCall, DemoStopStep::Stop},
    {&DemoCalls::printCall, DemoStopStep::Stop},
};

bool EndsTheFrames(const char* message) {
    return std::strcmp(message, DeviceMessages::WindowClosed) == 0 ||
           std::strcmp(message, DeviceMessages::QuitRequested) == 0;
}

DemoCalls::DemoCalls(PluginRegistry& registry)
    : initCall(registry, InitPlugin),
      printCall(registry, PrintPlugin),
      loadSceneCall(registry, LoadScenePlugin),
      drawSceneCall(registry, DrawScenePlugin) {}

DemoGraph::DemoGraph(PluginRegistry& registry, const Settings& from)
    : variables(from), calls(registry) {
    for (const DemoBinding& binding : DemoBindings) {
        (calls.*binding.call).Bind(binding.index, variables.*binding.variable);
    }
}

void DemoGraph::BindCall(PluginCall DemoCalls::*call) {
    for (const DemoBinding& binding : DemoBindings) {
        if (binding.call == call) (calls.*call).Bind(binding.index, variables.*binding.variable);
    }
}

void DemoGraph::FirstStart() {
    for (const DemoStartStep& step : DemoFirstStart) RunStartStep(step);
}

void DemoGraph::RunStartStep(const DemoStartStep& step) {
    PluginCall& call = calls.*step.call;
    switch (step.action) {
        case DemoStartStep::StartIfDue:
            call.StartIfDue(0.0f);
            break;
        case DemoStartStep::Prepare:
            call.Prepare();
            break;
        case DemoStartStep::Run:
            call.Run();
            break;
    }
}

// The per-frame path: a store into the existing time value, the bindings of
// the two frame halves and their runs. Nothing here allocates.
void DemoGraph::RunFrame(float seconds) {
    DrawFrame(seconds);
    PresentFrame();
}

void DemoGraph::DrawFrame(float seconds) {
    variables.time->value = seconds;
    calls.drawSceneCall.Bind(0, variables.sceneVar);
    calls.drawSceneCall.Bind(1, variables.timeVar);
    calls.drawSceneCall.Bind(2, variables.countVar);
    calls.drawSceneCall.Run();
}

void DemoGraph::PresentFrame() {
    calls.printCall.Bind(1, variables.timeVar);
    calls.printCall.Bind(2, variables.countVar);
    calls.printCall.Run();
}

void DemoGraph::StopCalls() {
    for (const DemoStopStep& step : DemoStopOrder) {
        if (step.action == DemoStopStep::Stop) (calls.*step.call).Stop();
    }
}

const char* DemoGraph::MissingWindowPlugin() const {
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        if (entry.ownsWindow && (calls.*entry.call).plugin == nullptr) return entry.pluginName;
    }
    return nullptr;
}

}  // namespace Ombrel::Host
