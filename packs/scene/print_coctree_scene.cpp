#include "packs/scene/print_coctree_scene.h"

#include "packs/scene/octree_scene.h"

const char* PrintCOctreeScene::GetName() {
    return "PrintCOctreeScene";
}

void PrintCOctreeScene::Run() {
    // The per-frame path: reads the arguments afresh and draws; no allocation.
    COctreeScene* scene = scenes.Find(FindInValue(slots[Arguments::scene]));
    if (scene == nullptr) return;
    float time = ReadFloatOr(slots[Arguments::time], 0.0f);
    int count = ReadIntOr(slots[Arguments::count], 0);
    bool english = ReadBoolOr(slots[Arguments::english], true);
    scene->Draw(time, count, english);
}
