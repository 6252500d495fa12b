#pragma once

#include <vector>

#include "packs/scene/octree_scene.h"
#include "packs/scene/scene_plugin.h"

#define LOAD_COCTREE_SCENE_ARGUMENTS(X) \
    X(scene, "out COctreeScene")        \
    X(title, "in String")               \
    X(depth, "in int")
OMBREL_DECLARE_ARGUMENTS(LoadCOctreeSceneArguments, LOAD_COCTREE_SCENE_ARGUMENTS)

// LoadCOctreeScene: builds the scene and stores it into its "out" argument.
// The host runs it once, with the OpenGL context current, so the scene's
// geometry is compiled there and then. The scenes it makes stay this plugin's
// until its Stop.
class LoadCOctreeScene final : public ScenePlugin<LoadCOctreeScene, LoadCOctreeSceneArguments> {
public:
    explicit LoadCOctreeScene(SceneList& packScenes) : ScenePlugin(packScenes) {}

    const char* GetName() override;
    void Run() override;
    void Stop() override;

private:
    std::vector<COctreeScene*> made;
};
