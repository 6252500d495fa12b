// A pack whose plugin count is not the number of plugins it has: PLUGIN_COUNT
// (negative, or far more than its one plugin) is what GetPluginCount answers.
#include "tests/fixtures/fixed_plugin.h"

namespace {

FixedPlugin alone("Alone", "in int x");
Plugin* const Plugins[] = {&alone};

}  // namespace

extern "C" OMBREL_PACK_EXPORT unsigned int GetMagic() {
    return PluginMagic;
}

extern "C" OMBREL_PACK_EXPORT int GetPluginCount() {
    return PLUGIN_COUNT;
}

extern "C" OMBREL_PACK_EXPORT Plugin* GetPluginInstance(int index) {
    return index == 0 ? Plugins[0] : nullptr;
}

extern "C" OMBREL_PACK_EXPORT const char* GetPluginPackName() {
    return PACK_NAME;
}
