// Fault: Run changes the value of its "in int" argument.
#include "tests/validate/packs/fault_plugin.h"

namespace {

class ChangesIn final : public FaultPlugin<ChangesIn> {
public:
    static constexpr const char* Name = "ChangesIn";
    static constexpr const char* Signature = "in int x";
    void Run() override { ++static_cast<IntValue*>(*first)->value; }
};

ChangesIn plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultChangingIn", Plugins)
