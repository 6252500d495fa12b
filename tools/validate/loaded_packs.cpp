#include "tools/validate/loaded_packs.h"

#include "tools/validate/guarded_call.h"

PackPlugins LoadPackPlugins(const std::string& file) {
    PackPlugins loaded;
    loaded.pack = new PluginPack(file.c_str());
    int count =
        loaded.pack->pluginCount < MaxCheckedPlugins ? loaded.pack->pluginCount : MaxCheckedPlugins;
    for (int index = 0; index < count; ++index) {
        Plugin* plugin = nullptr;
        GuardedCall([&] { plugin = loaded.pack->getPluginInstance(index); });
        if (plugin == nullptr) break;
        PluginDescriptor* descriptor = nullptr;
        GuardedCall([&] { descriptor = new PluginDescriptor(plugin); });
        loaded.descriptors.push_back(descriptor);
    }
    return loaded;
}
