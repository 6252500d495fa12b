// Fault: the scene drawing reads its scene in Start, which the demo calls
// before the scene is loaded; and its time is an "int" where the demo binds
// a "float".
#include "tests/validate/packs/scene_plugins.h"

namespace {

class Drawing final : public TestPlugin<Drawing> {
public:
    Drawing()
        : TestPlugin("PrintCOctreeScene",
                     "in COctreeScene scene, in int time, in int count, in bool english") {}
    // Reads through the slot, empty at the demo's first start: the process
    // ends.
    void Start() override {
        const volatile char* scene = reinterpret_cast<const volatile char*>(*slots[0]);
        seen = *scene;
    }

private:
    char seen = 0;
};

}  // namespace

FAULT_SCENE_PACK("FaultEmptyScene", Drawing)
