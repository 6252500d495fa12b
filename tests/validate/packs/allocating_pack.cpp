// Fault: every Run of a per-frame plugin allocates a new buffer.
#include "tests/fixtures/test_plugin.h"

namespace {

class Allocator final : public TestPlugin<Allocator> {
public:
    Allocator() : TestPlugin("Allocator", "in float time") {}
    void Run() override {
        delete[] history;
        history = new float[64];
    }

private:
    float* history = nullptr;
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultAllocation", Allocator)
