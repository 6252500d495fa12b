#include "packs/scene/load_scene_plugin.h"

#include "plugin/variable.h"

namespace {

// The depth used when the host gives none.
const int DefaultDepth = 5;

}  // namespace

LoadScenePlugin::LoadScenePlugin(SceneList& scenes) : scenes_(scenes), slots_() {}

const char* LoadScenePlugin::GetSignature() {
    return "out COctreeScene scene, in String title, in int depth";
}

const char* LoadScenePlugin::GetName() {
    return "LoadCOctreeScene";
}

void LoadScenePlugin::SetArgument(int index, Value** slot) {
    if (static_cast<unsigned>(index) < ArgumentCount) slots_[index] = slot;
}

void LoadScenePlugin::Run() {
    // Without a place to put it, a scene would only be lost.
    Value** sceneSlot = slots_[SceneArgument];
    if (sceneSlot == nullptr) return;
    Value* title = slots_[TitleArgument] != nullptr ? *slots_[TitleArgument] : nullptr;
    Value* depth = slots_[DepthArgument] != nullptr ? *slots_[DepthArgument] : nullptr;
    COctreeScene* scene =
        new COctreeScene(title != nullptr ? static_cast<String*>(title)->GetText() : "",
                         depth != nullptr ? static_cast<IntValue*>(depth)->value : DefaultDepth);
    made_.push_back(scene);
    scenes_.Add(scene);
    // Whatever the variable held before is neither looked at nor freed.
    *sceneSlot = scene;
}

void LoadScenePlugin::Stop() {
    Value** sceneSlot = slots_[SceneArgument];
    for (COctreeScene* scene : made_) {
        // Leave no dangling pointer in the variable the scene went into.
        if (sceneSlot != nullptr && *sceneSlot == scene) *sceneSlot = nullptr;
        scenes_.Remove(scene);
        delete scene;
    }
    made_.clear();
}
