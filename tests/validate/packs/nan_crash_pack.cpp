// Fault: Run crashes when the time is not a number, as code that turns the
// time into a table index would.
#include <cmath>

#include "tests/fixtures/test_plugin.h"

namespace {

class NaNCrash final : public TestPlugin<NaNCrash> {
public:
    NaNCrash() : TestPlugin("NaNCrash", "in float time") {}
    void Run() override {
        if (!std::isnan(static_cast<FloatValue*>(*slots[0])->value)) return;
        volatile int* volatile nowhere = nullptr;
        *nowhere = 1;
    }
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultNaNCrash", NaNCrash)
