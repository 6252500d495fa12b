// Fault: Run never returns.
#include "tests/fixtures/test_plugin.h"

namespace {

class Hang final : public TestPlugin<Hang> {
public:
    Hang() : TestPlugin("Hang", "in int x") {}
    void Run() override {
        while (forever) {
        }
    }

private:
    volatile bool forever = true;
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultHang", Hang)
