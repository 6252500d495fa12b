// A scene pack that fails on purpose: LoadCOctreeScene and PrintCOctreeScene
// with the demo's bindings, doing nothing but the chosen failure.
#include "tests/hostile/packs/failing_plugins.h"

namespace {

FailingPlugin loadScene("LoadCOctreeScene",
                        "out COctreeScene scene, in String title, in int depth");
FailingPlugin printScene("PrintCOctreeScene",
                         "in COctreeScene scene, in float time, in int count, in bool english");
Plugin* const Plugins[] = {&loadScene, &printScene};

}  // namespace

OMBREL_DECLARE_PACK("HostileScene", Plugins)
