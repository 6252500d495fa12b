// Fault: SetArgument keeps one index too many, and Run fills every slot it
// keeps, the one it was given out of range included.
#include "plugin/contract.h"
#include "tests/validate/packs/fault_plugin.h"

namespace {

class OffByOne final : public FaultPlugin<OffByOne> {
public:
    static constexpr const char* Name = "OffByOne";
    static constexpr const char* Signature = "out int result";
    void SetArgument(int index, Value** slot) override {
        if (index >= 0 && index <= 1) slots[index] = slot;
    }
    void Run() override {
        for (Value** slot : slots)
            if (slot != nullptr) *slot = &result;
    }

private:
    Value** slots[2] = {nullptr, nullptr};
    IntValue result{7};
};

OffByOne plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultSetArgument", Plugins)
