// Fault: the "out int" argument is filled with a FloatValue.
#include "tests/fixtures/test_plugin.h"

namespace {

class WrongOut final : public TestPlugin<WrongOut> {
public:
    WrongOut() : TestPlugin("WrongOut", "out int count") {}
    void Run() override { *slots[0] = &made; }

private:
    FloatValue made{2.0f};
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultWrongOutType", WrongOut)
