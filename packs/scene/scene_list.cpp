#include "packs/scene/scene_list.h"

#include <algorithm>

#include "packs/scene/octree_scene.h"

void SceneList::Remove(const COctreeScene* scene) {
    auto found = std::find(scenes.begin(), scenes.end(), scene);
    if (found != scenes.end()) scenes.erase(found);
}

COctreeScene* SceneList::Find(const Value* value) const {
    if (value == nullptr) return nullptr;
    for (COctreeScene* scene : scenes) {
        if (static_cast<const Value*>(scene) == value) return scene;
    }
    return nullptr;
}
