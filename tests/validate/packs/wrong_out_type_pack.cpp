// Fault: the "out int" argument is filled with a FloatValue.
#include "plugin/contract.h"
#include "tests/validate/packs/fault_plugin.h"

namespace {

class WrongOut final : public FaultPlugin<WrongOut> {
public:
    static constexpr const char* Name = "WrongOut";
    static constexpr const char* Signature = "out int count";
    void Run() override { *first = &made; }

private:
    FloatValue made{2.0f};
};

WrongOut plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultWrongOutType", Plugins)
