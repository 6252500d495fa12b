#pragma once

#include "packs/scene/scene_plugin.h"

#define PRINT_COCTREE_SCENE_ARGUMENTS(X) \
    X(scene, "in COctreeScene")          \
    X(time, "in float")                  \
    X(count, "in int")                   \
    X(english, "in bool")
OMBREL_DECLARE_ARGUMENTS(PrintCOctreeSceneArguments, PRINT_COCTREE_SCENE_ARGUMENTS)

// PrintCOctreeScene: draws the scene for the demo time into the current
// OpenGL context, once per frame. With no scene of this pack in its scene
// argument it draws nothing.
class PrintCOctreeScene final : public ScenePlugin<PrintCOctreeScene, PrintCOctreeSceneArguments> {
public:
    explicit PrintCOctreeScene(SceneList& packScenes) : ScenePlugin(packScenes) {}

    const char* GetName() override;
    void Run() override;
    void Stop() override {}
};
