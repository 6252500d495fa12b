// Fault: a second comma ends the argument list, so "b" is never bound.
#include "tests/fixtures/fixed_plugin.h"

namespace {
FixedPlugin leftover("Leftover", "in int a,, in int b");
Plugin* const Plugins[] = {&leftover};
}  // namespace

OMBREL_DECLARE_PACK("FaultLeftoverSignature", Plugins)
