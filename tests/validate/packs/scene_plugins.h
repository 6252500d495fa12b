#pragma once

// The two plugins of a scene pack as the fault packs of the demo graph need
// them: a loader that makes a scene value, and a drawing that reads it.
#include "tests/fixtures/demo_signatures.h"
#include "tests/fixtures/test_plugin.h"

class FaultScene final : public Value {
public:
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return 0; }
};

class SceneLoader final : public TestPlugin<SceneLoader> {
public:
    SceneLoader() : TestPlugin("LoadCOctreeScene", DemoSignature::LoadCOctreeScene) {}
    void Run() override { *slots[0] = &scene; }

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
