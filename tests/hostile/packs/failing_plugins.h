#pragma once

// Plugins that fail on purpose, for the hostile-input tests: each has a name
// and a signature and does nothing, except that the one operation chosen as
// "<PluginName>.<Operation>" (for example "LoadCOctreeScene.Start") throws.
//
// The failing step is taken from SetHostileFailure (exported by the pack, for
// tests that load it themselves) or else from the environment variables
// OMBREL_HOSTILE_FAILURE and OMBREL_HOSTILE_KIND (for runs of the real
// program, which knows nothing of the tests). The kind of throw is "ombrel"
// (the system's own exception, the default), "std" (std::runtime_error) or
// "int" (a thrown int).

#include "plugin/contract.h"

class FailingPlugin final : public PluginWithoutInfo {
public:
    FailingPlugin(const char* pluginName, const char* pluginSignature, int closeAfterRuns = 0)
        : name(pluginName), signature(pluginSignature), closeAfter(closeAfterRuns) {}

    Plugin* Clone() override { return new FailingPlugin(name, signature, closeAfter); }
    void Release() override { delete this; }
    const char* GetSignature() override { return signature; }
    const char* GetName() override { return name; }
    void SetArgument(int, Value**) override {}
    void Start() override;
    bool Prepare() override;
    void Run() override;
    void Stop() override;

private:
    void FailIfChosen(const char* operation) const;

    const char* name;
    const char* signature;
    // When positive, Run ends the demo like a closed window at that run, so
    // that a demo without a real window still comes to an end.
    int closeAfter;
    int runs = 0;
};

// Chooses the failing step and the kind of throw; null step: none.
extern "C" OMBREL_PACK_EXPORT void SetHostileFailure(const char* step, const char* kind);
