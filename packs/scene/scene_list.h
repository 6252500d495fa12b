#pragma once

#include <vector>

class COctreeScene;
class Value;

// The scenes this pack has made and not yet freed. The drawing plugin draws
// only a value found here, so an empty or foreign value in its scene argument
// (or one already freed) is never drawn as a scene.
class SceneList {
public:
    void Add(COctreeScene* scene) { scenes.push_back(scene); }
    void Remove(const COctreeScene* scene);
    // The scene that `value` is, or null when this pack did not make it.
    COctreeScene* Find(const Value* value) const;

private:
    std::vector<COctreeScene*> scenes;
};
