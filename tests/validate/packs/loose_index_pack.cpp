// Fault: GetPluginInstance answers every index with its one plugin.
#include "tests/fixtures/fixed_plugin.h"

namespace {
FixedPlugin only("Only", "in int x");
}  // namespace

extern "C" OMBREL_PACK_EXPORT unsigned int GetMagic() {
    return PluginMagic;
}
extern "C" OMBREL_PACK_EXPORT int GetPluginCount() {
    return 1;
}
extern "C" OMBREL_PACK_EXPORT Plugin* GetPluginInstance(int) {
    return &only;
}
extern "C" OMBREL_PACK_EXPORT const char* GetPluginPackName() {
    return "FaultLooseIndex";
}
