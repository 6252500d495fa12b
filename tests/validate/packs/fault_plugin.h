#pragma once

// The base of the fault packs' plugins: the name and signature of Derived
// (its static Name and Signature), argument 0 kept in `first`, and operations
// that do nothing, so that each pack shows only the operation with its fault.
#include "plugin/contract.h"

template <typename Derived>
class FaultPlugin : public BasicPlugin<Derived> {
public:
    const char* GetSignature() override { return Derived::Signature; }
    const char* GetName() override { return Derived::Name; }
    void SetArgument(int index, Value** slot) override {
        if (index == 0) first = slot;
    }
    void Start() override {}
    bool Prepare() override { return true; }
    void Run() override {}
    void Stop() override {}

protected:
    Value** first = nullptr;
};
