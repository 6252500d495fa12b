#include "host/demo_graph.h"

namespace {

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

DemoCalls::DemoCalls(PluginRegistry& registry)
    : initCall(registry, "OpenGLInit"),
      printCall(registry, "OpenGLPrint"),
      loadSceneCall(registry, "LoadCOctreeScene"),
      drawSceneCall(registry, "PrintCOctreeScene") {}

DemoGraph::DemoGraph(PluginRegistry& registry, const Settings& from)
    : variables(from), calls(registry) {
    DemoVariables& v = variables;
    calls.initCall.Bind(0, v.openGLVar);
    calls.initCall.Bind(1, v.titleVar);
    calls.initCall.Bind(2, v.widthVar);
    calls.initCall.Bind(3, v.heightVar);
    calls.initCall.Bind(4, v.colorBitsVar);
    calls.initCall.Bind(5, v.fullScreenVar);
    calls.loadSceneCall.Bind(0, v.sceneVar);
    calls.loadSceneCall.Bind(1, v.titleVar);
    calls.loadSceneCall.Bind(2, v.constant5Var);
    calls.drawSceneCall.Bind(0, v.sceneVar);
    calls.drawSceneCall.Bind(1, v.timeVar);
    calls.drawSceneCall.Bind(2, v.countVar);
    calls.drawSceneCall.Bind(3, v.englishVar);
    calls.printCall.Bind(0, v.openGLVar);
    calls.printCall.Bind(1, v.timeVar);
    calls.printCall.Bind(2, v.countVar);
}

void DemoGraph::FirstStart() {
    calls.initCall.StartIfDue(0.0f);
    calls.loadSceneCall.StartIfDue(0.0f);
    calls.printCall.StartIfDue(0.0f);
    calls.initCall.Prepare();
    calls.loadSceneCall.Prepare();
    // Not active yet: this Prepare reaches no plugin, so the scene drawing
    // stays active once started below.
    calls.drawSceneCall.Prepare();
    calls.printCall.Prepare();
    calls.initCall.Run();
    calls.drawSceneCall.StartIfDue(0.0f);
    calls.loadSceneCall.Run();
}

// The per-frame path: one store into the existing time value, five bindings
// and two runs. Nothing here allocates.
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
    calls.initCall.Stop();
    calls.printCall.Stop();
    calls.drawSceneCall.Stop();
    calls.loadSceneCall.Stop();
}
