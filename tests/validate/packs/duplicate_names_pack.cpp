// Fault: two plugins of one name; the host only ever finds the first.
#include "tests/fixtures/fixed_plugin.h"

namespace {
FixedPlugin first("Twin", "in int x");
FixedPlugin second("Twin", "in float y");
Plugin* const Plugins[] = {&first, &second};
}  // namespace

OMBREL_DECLARE_PACK("FaultDuplicateNames", Plugins)
