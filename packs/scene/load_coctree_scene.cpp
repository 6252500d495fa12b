#include "packs/scene/load_coctree_scene.h"

namespace {

// The depth used when the host gives none.
const int DefaultDepth = 5;

}  // namespace

const char* LoadCOctreeScene::GetName() {
    return "LoadCOctreeScene";
}

void LoadCOctreeScene::Run() {
    // Without a place to put it, a scene would only be lost.
    Value** sceneSlot = slots[Arguments::scene];
    if (sceneSlot == nullptr) return;
    String title = ReadStringOr(slots[Arguments::title], "");
    int depth = ReadIntOr(slots[Arguments::depth], DefaultDepth);
    COctreeScene* scene = new COctreeScene(title.GetText(), depth);
    made.push_back(scene);
    scenes.Add(scene);
    // Whatever the variable held before is neither looked at nor freed.
    *sceneSlot = scene;
}

void LoadCOctreeScene::Stop() {
    Value** sceneSlot = slots[Arguments::scene];
    for (COctreeScene* scene : made) {
        // Leave no dangling pointer in the variable the scene went into.
        if (sceneSlot != nullptr && *sceneSlot == scene) *sceneSlot = nullptr;
        scenes.Remove(scene);
        delete scene;
    }
    made.clear();
}
