#pragma once

#include "packs/scene/scene_list.h"
#include "plugin/argument_list.h"
#include "plugin/contract.h"

// What the pack's plugins share: the pack's list of scenes, the slots of
// their arguments (declared with OMBREL_DECLARE_ARGUMENTS), their signature
// text, and a Start and Prepare with nothing to do. A clone shares the list
// and starts with nothing bound.
template <typename Derived, typename PluginArguments>
class ScenePlugin : public PluginWithoutInfo {
public:
    using Arguments = PluginArguments;

    Plugin* Clone() override { return new Derived(scenes); }
    void Release() override { delete static_cast<Derived*>(this); }
    const char* GetSignature() override { return Arguments::Signature(); }
    void SetArgument(int index, Value** slot) override { slots.Set(index, slot); }
    void Start() override {}
    bool Prepare() override { return true; }

protected:
    explicit ScenePlugin(SceneList& packScenes) : scenes(packScenes), slots() {}
    ~ScenePlugin() = default;

    SceneList& scenes;
    ArgumentSlotTable<Arguments> slots;
};
