// A scene pack that fails on purpose: LoadCOctreeScene and PrintCOctreeScene
// with the demo's bindings, doing nothing but the chosen failure.
#include "tests/fixtures/demo_signatures.h"
#include "tests/hostile/packs/failing_plugins.h"

namespace {

FailingPlugin loadScene("LoadCOctreeScene", DemoSignature::LoadCOctreeScene);
FailingPlugin printScene("PrintCOctreeScene", DemoSignature::PrintCOctreeScene);
Plugin* const Plugins[] = {&loadScene, &printScene};

}  // namespace

OMBREL_DECLARE_PACK("HostileScene", Plugins)
