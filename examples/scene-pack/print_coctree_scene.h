#pragma once

#include "octree_scene.h"
#include "plugin/argument_list.h"
#include "plugin/contract.h"

// The arguments the demo binds, in its order.
#define PRINT_COCTREE_SCENE_ARGUMENTS(X) \
    X(scene, "in COctreeScene")          \
    X(time, "in float")                  \
    X(count, "in int")                   \
    X(english, "in bool")

// PrintCOctreeScene: draws the scene once per frame, before the device pack
// shows the frame. Its call starts before LoadCOctreeScene runs, so Start
// must not look for the scene; Run reads it afresh every time.
class PrintCOctreeScene final : public BasicPlugin<PrintCOctreeScene> {
public:
    OMBREL_DECLARE_ARGUMENTS(Arguments, PRINT_COCTREE_SCENE_ARGUMENTS)

    PrintCOctreeScene() : slots() {}

    const char* GetSignature() override { return Arguments::Signature(); }
    const char* GetName() override { return "PrintCOctreeScene"; }
    void SetArgument(int index, Value** slot) override { slots.Set(index, slot); }
    void Start() override {}
    bool Prepare() override { return true; }
    // The per-frame path: nothing here allocates. English is the language the
    // user chose; this scene has no words, so it is not read.
    void Run() override {
        const COctreeScene* scene =
            static_cast<COctreeScene*>(FindInValue(slots[Arguments::scene]));
        if (scene == nullptr) return;  // no scene loaded: nothing to draw
        scene->Draw(ReadFloat(slots, Arguments::time, GetName()),
                    ReadInt(slots, Arguments::count, GetName()));
    }
    void Stop() override {}

private:
    ArgumentSlotTable<Arguments> slots;
};
