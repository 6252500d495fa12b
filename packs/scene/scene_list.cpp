#include "packs/scene/scene_list.h"

#include <algorithm>

#include "packs/scene/octree_scene.h"

void SceneList::Remove(const COctreeScene* scene) {
    auto found = std::find(scenes_.begin(), scenes_.end(), scene);
    if (found != scenes_.end()) scenes_.erase(found);
}

COctreeScene* SceneList::Find(const Value* value) const {
    if (value == nullptr) return nullptr;
    for (COctreeScene* scene : scenes_) {
        if (static_cast<const Value*>(scene) == value) return scene;
    }
    return nullptr;
}
