#pragma once

#include "octree_scene.h"
#include "plugin/contract.h"

// PrintCOctreeScene: draws the scene once per frame, before the device pack
// shows the frame. Its call starts before LoadCOctreeScene runs, so Start
// must not look for the scene; Run reads it afresh every time.
class PrintCOctreeScene final : public BasicPlugin<PrintCOctreeScene> {
public:
    enum Argument { Scene, Time, Count, English, ArgumentCount };

    PrintCOctreeScene() : slots() {}

    const char* GetSignature() override {
        return "in COctreeScene scene, in float time, in int count, in bool english";
    }
    const char* GetName() override { return "PrintCOctreeScene"; }
    void SetArgument(int index, Value** slot) override {
        if (static_cast<unsigned int>(index) < ArgumentCount) slots[index] = slot;
    }
    void Start() override {}
    bool Prepare() override { return true; }
    // The per-frame path: nothing here allocates. English is the language the
    // user chose; this scene has no words, so it is not read.
    void Run() override {
        const COctreeScene* scene = static_cast<COctreeScene*>(FindInValue(slots[Scene]));
        if (scene == nullptr) return;  // no scene loaded: nothing to draw
        scene->Draw(ReadFloat(slots[Time], GetName(), "time"),
                    ReadInt(slots[Count], GetName(), "count"));
    }
    void Stop() override {}

private:
    Value** slots[ArgumentCount];
};
