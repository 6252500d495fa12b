// Fault: Run throws a standard exception, which the host cannot catch.
#include <stdexcept>

#include "tests/validate/packs/fault_plugin.h"

namespace {

class ThrowsStd final : public FaultPlugin<ThrowsStd> {
public:
    static constexpr const char* Name = "ThrowsStd";
    static constexpr const char* Signature = "in int x";
    void Run() override { throw std::runtime_error("ThrowsStd cannot run"); }
};

ThrowsStd plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultWrongException", Plugins)
