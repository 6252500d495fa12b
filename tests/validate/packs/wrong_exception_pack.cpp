// Fault: Run throws a standard exception, which the host cannot catch.
#include <stdexcept>

#include "tests/fixtures/test_plugin.h"

namespace {

class ThrowsStd final : public TestPlugin<ThrowsStd> {
public:
    ThrowsStd() : TestPlugin("ThrowsStd", "in int x") {}
    void Run() override { throw std::runtime_error("ThrowsStd cannot run"); }
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultWrongException", ThrowsStd)
