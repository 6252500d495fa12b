#pragma once

#include "packs/scene/scene_list.h"
#include "plugin/contract.h"

// PrintCOctreeScene: draws the scene for the demo time into the current
// OpenGL context, once per frame. With no scene of this pack in its scene
// argument it draws nothing.
class PrintScenePlugin final : public PluginWithoutInfo {
public:
    explicit PrintScenePlugin(SceneList& scenes);

    Plugin* Clone() override { return new PrintScenePlugin(scenes_); }
    void Release() override { delete this; }
    const char* GetSignature() override;
    const char* GetName() override;
    void SetArgument(int index, Value** slot) override;
    void Start() override {}
    bool Prepare() override { return true; }
    void Run() override;
    void Stop() override {}

private:
    enum { SceneArgument, TimeArgument, CountArgument, EnglishArgument, ArgumentCount };

    SceneList& scenes_;
    Value** slots_[ArgumentCount];
};
