#pragma once

#include "octree_scene.h"
#include "plugin/argument_list.h"
#include "plugin/contract.h"

#define LOAD_COCTREE_SCENE_ARGUMENTS(X) \
    X(scene, "out COctreeScene")        \
    X(title, "in String")               \
    X(depth, "in int")

// LoadCOctreeScene: makes the scene and stores it into its "out" argument.
// The demo runs it once, after the window has opened, with the OpenGL context
// current: a scene could hand its geometry to OpenGL here.
class LoadCOctreeScene final : public BasicPlugin<LoadCOctreeScene> {
public:
    OMBREL_DECLARE_ARGUMENTS(Arguments, LOAD_COCTREE_SCENE_ARGUMENTS)

    LoadCOctreeScene() : slots(), scene(nullptr) {}

    const char* GetSignature() override { return Arguments::Signature(); }
    const char* GetName() override { return "LoadCOctreeScene"; }
    void SetArgument(int index, Value** slot) override { slots.Set(index, slot); }
    void Start() override {}
    bool Prepare() override { return true; }
    // The title is the window's; this scene draws no text, so it is not read.
    void Run() override {
        COctreeScene& made = OutValue(slots, Arguments::scene, scene, GetName());
        made.depth = ReadInt(slots, Arguments::depth, GetName());
    }
    void Stop() override { FreeOutValue(slots[Arguments::scene], scene); }

private:
    ArgumentSlotTable<Arguments> slots;
    COctreeScene* scene;  // made by the first Run, freed by Stop
};
