#pragma once

#include "octree_scene.h"
#include "plugin/contract.h"

// LoadCOctreeScene: makes the scene and stores it into its "out" argument.
// The demo runs it once, after the window has opened, with the OpenGL context
// current: a scene could hand its geometry to OpenGL here.
class LoadCOctreeScene final : public BasicPlugin<LoadCOctreeScene> {
public:
    enum Argument { Scene, Title, Depth, ArgumentCount };

    LoadCOctreeScene() : slots(), scene(nullptr) {}

    const char* GetSignature() override {
        return "out COctreeScene scene, in String title, in int depth";
    }
    const char* GetName() override { return "LoadCOctreeScene"; }
    void SetArgument(int index, Value** slot) override {
        if (static_cast<unsigned int>(index) < ArgumentCount) slots[index] = slot;
    }
    void Start() override {}
    bool Prepare() override { return true; }
    // The title is the window's; this scene draws no text, so it is not read.
    void Run() override {
        COctreeScene& made = OutValue(slots[Scene], scene, GetName(), "scene");
        made.depth = ReadInt(slots[Depth], GetName(), "depth");
    }
    void Stop() override { FreeOutValue(slots[Scene], scene); }

private:
    Value** slots[ArgumentCount];
    COctreeScene* scene;  // made by the first Run, freed by Stop
};
