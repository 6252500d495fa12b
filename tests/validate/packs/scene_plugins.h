#pragma once

// The two plugins of a scene pack as the fault packs of the demo graph need
// them: a loader that makes a scene value, and a drawing that reads it.
#include "tests/validate/packs/fault_plugin.h"

class FaultScene final : public Value {
public:
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return 0; }
};

class SceneLoader final : public FaultPlugin<SceneLoader> {
public:
    static constexpr const char* Name = "LoadCOctreeScene";
    static constexpr const char* Signature =
        "out COctreeScene scene, in String title, in int depth";
    void Run() override { *first = &scene; }

private:
    FaultScene scene;
};

// A scene pack of the loader and `Drawing`, under the pack name `name`.
#define FAULT_SCENE_PACK(name, Drawing)            \
    namespace {                                    \
    SceneLoader loader;                            \
    Drawing drawing;                               \
    Plugin* const Plugins[] = {&loader, &drawing}; \
    }                                              \
    OMBREL_DECLARE_PACK(name, Plugins)
