// Fault: Run changes the value of its "in int" argument.
#include "tests/fixtures/test_plugin.h"

namespace {

class ChangesIn final : public TestPlugin<ChangesIn> {
public:
    ChangesIn() : TestPlugin("ChangesIn", "in int x") {}
    void Run() override { ++static_cast<IntValue*>(*slots[0])->value; }
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultChangingIn", ChangesIn)
