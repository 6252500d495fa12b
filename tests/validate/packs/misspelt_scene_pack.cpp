// Fault: the scene drawing is called "PrintCoctreeScene", one letter off the
// demo's "PrintCOctreeScene": the demo would draw nothing, without a word.
#include "tests/validate/packs/scene_plugins.h"

namespace {

class Loader final : public SceneLoader<Loader> {
public:
    static constexpr const char* Name = "LoadCOctreeScene";
};

class Drawing final : public FaultPlugin<Drawing> {
public:
    static constexpr const char* Name = "PrintCoctreeScene";
    static constexpr const char* Signature =
        "in COctreeScene scene, in float time, in int count, in bool english";
};

Loader loader;
Drawing drawing;
Plugin* const Plugins[] = {&loader, &drawing};

}  // namespace

OMBREL_DECLARE_PACK("FaultMisspeltScene", Plugins)
