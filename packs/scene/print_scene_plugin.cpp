#include "packs/scene/print_scene_plugin.h"

#include "packs/scene/octree_scene.h"
#include "plugin/variable.h"

PrintScenePlugin::PrintScenePlugin(SceneList& scenes) : scenes_(scenes), slots_() {}

const char* PrintScenePlugin::GetSignature() {
    return "in COctreeScene scene, in float time, in int count, in bool english";
}

const char* PrintScenePlugin::GetName() {
    return "PrintCOctreeScene";
}

void PrintScenePlugin::SetArgument(int index, Value** slot) {
    if (static_cast<unsigned>(index) < ArgumentCount) slots_[index] = slot;
}

void PrintScenePlugin::Run() {
    // The per-frame path: reads the arguments afresh and draws; no allocation.
    Value* values[ArgumentCount];
    for (int i = 0; i < ArgumentCount; ++i) values[i] = slots_[i] != nullptr ? *slots_[i] : nullptr;
    COctreeScene* scene = scenes_.Find(values[SceneArgument]);
    if (scene == nullptr) return;
    float time = values[TimeArgument] != nullptr
                     ? static_cast<FloatValue*>(values[TimeArgument])->value
                     : 0.0f;
    int count =
        values[CountArgument] != nullptr ? static_cast<IntValue*>(values[CountArgument])->value : 0;
    // A "bool" is read from the lowest-addressed byte of its payload.
    bool english = true;
    if (values[EnglishArgument] != nullptr) {
        const IntValue* flag = static_cast<IntValue*>(values[EnglishArgument]);
        english = *reinterpret_cast<const unsigned char*>(&flag->value) != 0;
    }
    scene->Draw(time, count, english);
}
