#pragma once

#include "packs/scene/scene_plugin.h"

// PrintCOctreeScene: draws the scene for the demo time into the current
// OpenGL context, once per frame. With no scene of this pack in its scene
// argument it draws nothing.
class PrintCOctreeScene final : public ScenePlugin<PrintCOctreeScene, 4> {
public:
    explicit PrintCOctreeScene(SceneList& packScenes) : ScenePlugin(packScenes) {}

    const char* GetSignature() override;
    const char* GetName() override;
    void Run() override;
    void Stop() override {}

private:
    // The positions of the arguments in the signature.
    enum { SceneArgument, TimeArgument, CountArgument, EnglishArgument };
};
