// Fault: SetArgument keeps one index too many, and Run fills every slot it
// keeps, the one it was given out of range included.
#include "tests/fixtures/test_plugin.h"

namespace {

class OffByOne final : public TestPlugin<OffByOne> {
public:
    OffByOne() : TestPlugin("OffByOne", "out int result") {}
    void SetArgument(int index, Value** slot) override {
        if (index >= 0 && index <= 1) kept[index] = slot;
    }
    void Run() override {
        for (Value** slot : kept)
            if (slot != nullptr) *slot = &result;
    }

private:
    Value** kept[2] = {nullptr, nullptr};
    IntValue result{7};
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultSetArgument", OffByOne)
