#pragma once

#include "packs/scene/scene_list.h"
#include "plugin/contract.h"

// What the pack's plugins share: the pack's list of scenes, one slot per
// argument (an index they do not have, compared unsigned, is ignored), and a
// Start and Prepare with nothing to do. A clone shares the list and starts
// with nothing bound.
template <typename Derived, int ArgumentCount>
class ScenePlugin : public PluginWithoutInfo {
public:
    Plugin* Clone() override { return new Derived(scenes); }
    void Release() override { delete static_cast<Derived*>(this); }
    void SetArgument(int index, Value** slot) override {
        if (static_cast<unsigned>(index) < ArgumentCount) slots[index] = slot;
    }
    void Start() override {}
    bool Prepare() override { return true; }

protected:
    explicit ScenePlugin(SceneList& packScenes) : scenes(packScenes), slots() {}
    ~ScenePlugin() = default;

    SceneList& scenes;
    Value** slots[ArgumentCount];
};
