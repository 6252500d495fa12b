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

template <typename Derived>
class SceneLoader : public FaultPlugin<Derived> {
public:
    static constexpr const char* Signature =
        "out COctreeScene scene, in String title, in int depth";
    void Run() override { *this->first = &scene; }

private:
    FaultScene scene;
};
