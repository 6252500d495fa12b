// Fault: the name changes from one call to the next.
#include "tests/fixtures/test_plugin.h"

namespace {

class Changing final : public TestPlugin<Changing> {
public:
    Changing() : TestPlugin("Changing", "in int x") {}
    const char* GetName() override { return ++calls % 2 ? "Changing" : "Changed"; }

private:
    int calls = 0;
};

}  // namespace

SINGLE_PLUGIN_PACK("FaultChangingTexts", Changing)
