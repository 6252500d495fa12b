#pragma once

#include <vector>

#include "packs/scene/octree_scene.h"
#include "packs/scene/scene_list.h"
#include "plugin/contract.h"

// LoadCOctreeScene: builds the scene and stores it into its "out" argument.
// The host runs it once, with the OpenGL context current, so the scene's
// geometry is compiled there and then. The scenes it makes stay this plugin's
// until its Stop.
class LoadScenePlugin final : public PluginWithoutInfo {
public:
    explicit LoadScenePlugin(SceneList& scenes);

    Plugin* Clone() override { return new LoadScenePlugin(scenes_); }
    void Release() override { delete this; }
    const char* GetSignature() override;
    const char* GetName() override;
    void SetArgument(int index, Value** slot) override;
    void Start() override {}
    bool Prepare() override { return true; }
    void Run() override;
    void Stop() override;

private:
    enum { SceneArgument, TitleArgument, DepthArgument, ArgumentCount };

    SceneList& scenes_;
    Value** slots_[ArgumentCount];
    std::vector<COctreeScene*> made_;
};
