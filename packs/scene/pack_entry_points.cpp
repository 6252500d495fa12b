// The entry points of the Vantrope pack and its plugin objects, which
// live as long as the module and share the list of scenes the pack has made.

#include "packs/scene/load_coctree_scene.h"
#include "packs/scene/print_coctree_scene.h"
#include "packs/scene/scene_list.h"
#include "plugin/contract.h"

namespace {

SceneList scenes;
LoadCOctreeScene loadScene(scenes);
PrintCOctreeScene printScene(scenes);
Plugin* const Plugins[] = {&loadScene, &printScene};

}  // namespace

OMBREL_DECLARE_PACK("Vantrope", Plugins)
