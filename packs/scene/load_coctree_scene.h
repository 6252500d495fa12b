#pragma once

#include <vector>

#include "packs/scene/octree_scene.h"
#include "packs/scene/scene_plugin.h"

// LoadCOctreeScene: builds the scene and stores it into its "out" argument.
// The host runs it once, with the OpenGL context current, so the scene's
// geometry is compiled there and then. The scenes it makes stay this plugin's
// until its Stop.
class LoadCOctreeScene final : public ScenePlugin<LoadCOctreeScene, 3> {
public:
    explicit LoadCOctreeScene(SceneList& packScenes) : ScenePlugin(packScenes) {}

    const char* GetSignature() override;
    const char* GetName() override;
    void Run() override;
    void Stop() override;

private:
    // The positions of the arguments in the signature.
    enum { SceneArgument, TitleArgument, DepthArgument };

    std::vector<COctreeScene*> made;
};
