// The demo's four plugins doing nothing, so that a frame costs only what the
// host itself does.
#include "tests/fixtures/demo_signatures.h"
#include "tests/fixtures/fixed_plugin.h"

namespace {

FixedPlugin init("OpenGLInit", DemoSignature::OpenGLInit);
FixedPlugin print("OpenGLPrint", DemoSignature::OpenGLPrint);
FixedPlugin loadScene("LoadCOctreeScene", DemoSignature::LoadCOctreeScene);
FixedPlugin drawScene("PrintCOctreeScene", DemoSignature::PrintCOctreeScene);
Plugin* const Plugins[] = {&init, &print, &loadScene, &drawScene};

}  // namespace

OMBREL_DECLARE_PACK("BenchQuiet", Plugins)
