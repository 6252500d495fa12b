// Fault: Run crashes when the time is not a number, as code that turns the
// time into a table index would.
#include <cmath>

#include "plugin/contract.h"
#include "tests/validate/packs/fault_plugin.h"

namespace {

class NaNCrash final : public FaultPlugin<NaNCrash> {
public:
    static constexpr const char* Name = "NaNCrash";
    static constexpr const char* Signature = "in float time";
    void Run() override {
        if (!std::isnan(static_cast<FloatValue*>(*first)->value)) return;
        volatile int* volatile nowhere = nullptr;
        *nowhere = 1;
    }
};

NaNCrash plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultNaNCrash", Plugins)
