// Fault: the scene drawing is called "PrintCoctreeScene", one letter off the
// demo's "PrintCOctreeScene": the demo would draw nothing, without a word.
#include "tests/validate/packs/scene_plugins.h"

namespace {

class Drawing final : public TestPlugin<Drawing> {
public:
    Drawing() : TestPlugin("PrintCoctreeScene", DemoSignature::PrintCOctreeScene) {}
};

}  // namespace

FAULT_SCENE_PACK("FaultMisspeltScene", Drawing)
