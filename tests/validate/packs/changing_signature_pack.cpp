// Fault: the signature changes from one call to the next; the name stays.
#include "tests/fixtures/test_plugin.h"

namespace {

class Resigning final : public TestPlugin<Resigning> {
public:
    Resigning() : TestPlugin("Resigning", "in int x") {}
    const char* GetSignature() override { return ++calls % 2 ? "in int x" : "in float x"; }

private:
    int calls = 0;
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultChangingSignature", Resigning)
