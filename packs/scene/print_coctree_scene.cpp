#include "packs/scene/print_coctree_scene.h"

#include "packs/scene/octree_scene.h"

const char* PrintCOctreeScene::GetSignature() {
    return "in COctreeScene scene, in float time, in int count, in bool english";
}

const char* PrintCOctreeScene::GetName() {
    return "PrintCOctreeScene";
}

void PrintCOctreeScene::Run() {
    // The per-frame path: reads the arguments afresh and draws; no allocation.
    COctreeScene* scene = scenes.Find(FindInValue(slots[SceneArgument]));
    if (scene == nullptr) return;
    float time = ReadFloatOr(slots[TimeArgument], 0.0f);
    int count = ReadIntOr(slots[CountArgument], 0);
    bool english = ReadBoolOr(slots[EnglishArgument], true);
    scene->Draw(time, count, english);
}
