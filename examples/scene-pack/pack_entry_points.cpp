#include "load_coctree_scene.h"
#include "plugin/contract.h"
#include "print_coctree_scene.h"

// The demo looks its scene plugins up by name; their order is free.
static LoadCOctreeScene loadScene;
static PrintCOctreeScene printScene;
static Plugin* const Plugins[] = {&loadScene, &printScene};

OMBREL_DECLARE_PACK("ExampleScene", Plugins)
