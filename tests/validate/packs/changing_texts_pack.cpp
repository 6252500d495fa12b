// Fault: the name changes from one call to the next.
#include "tests/validate/packs/fault_plugin.h"

namespace {

class Changing final : public FaultPlugin<Changing> {
public:
    static constexpr const char* Name = "Changing";
    static constexpr const char* Signature = "in int x";
    const char* GetName() override { return ++calls % 2 ? "Changing" : "Changed"; }

private:
    int calls = 0;
};

Changing plugin;
Plugin* const Plugins[] = {&plugin};

}  // namespace

OMBREL_DECLARE_PACK("FaultChangingTexts", Plugins)
