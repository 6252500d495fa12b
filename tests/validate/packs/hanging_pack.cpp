// Fault: Run never returns.
#include "tests/validate/packs/fault_plugin.h"

namespace {

class Hang final : public FaultPlugin<Hang> {
public:
    static constexpr const char* Name = "Hang";
    static constexpr const char* Signature = "in int x";
    void Run() override {
        while (forever) {
        }
    }

private:
    volatile bool forever = true;
};

Hang plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultHang", Plugins)
