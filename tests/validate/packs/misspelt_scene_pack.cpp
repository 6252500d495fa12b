// Fault: the scene drawing is called "PrintCoctreeScene", one letter off the
// demo's "PrintCOctreeScene": the demo would draw nothing, without a word.
#include "tests/validate/packs/scene_plugins.h"

namespace {

class Drawing final : public FaultPlugin<Drawing> {
public:
    static constexpr const char* Name = "PrintCoctreeScene";
    static constexpr const char* Signature =
        "in COctreeScene scene, in float time, in int count, in bool english";
};

}  // namespace

FAULT_SCENE_PACK("FaultMisspeltScene", Drawing)
