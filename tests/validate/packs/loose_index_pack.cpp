// Fault: GetPluginInstance answers every index with its one plugin.
#include "tests/fixtures/fixed_plugin.h"

namespace {
FixedPlugin only("Only", "in int x");
}  // namespace

FIXTURE_ENTRY_POINTS(PluginMagic, 1, &only, "FaultLooseIndex")
