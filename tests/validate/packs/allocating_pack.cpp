// Fault: every Run of a per-frame plugin allocates a new buffer.
#include "tests/validate/packs/fault_plugin.h"

namespace {

class Allocator final : public FaultPlugin<Allocator> {
public:
    static constexpr const char* Name = "Allocator";
    static constexpr const char* Signature = "in float time";
    void Run() override {
        delete[] history;
        history = new float[64];
    }

private:
    float* history = nullptr;
};

Allocator plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultAllocation", Plugins)
