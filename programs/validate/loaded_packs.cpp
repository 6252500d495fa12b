#include "programs/validate/loaded_packs.h"

PluginDescriptor* DescribePlugin(Plugin* plugin, CallOutcome& outcome) {
    static std::vector<PluginDescriptor*>* const kept = new std::vector<PluginDescriptor*>();
    PluginDescriptor* descriptor = nullptr;
    outcome = GuardedCall([&] { descriptor = new PluginDescriptor(plugin); });
    if (descriptor != nullptr) kept->push_back(descriptor);
    return descriptor;
}

PackPlugins LoadPackPlugins(const std::string& file) {
    PackPlugins loaded;
    loaded.pack = new PluginPack(file.c_str());
    int count =
        loaded.pack->pluginCount < MaxCheckedPlugins ? loaded.pack->pluginCount : MaxCheckedPlugins;
    for (int index = 0; index < count; ++index) {
        Plugin* plugin = nullptr;
        GuardedCall([&] { plugin = loaded.pack->getPluginInstance(index); });
        if (plugin == nullptr) break;
        CallOutcome outcome;
        loaded.descriptors.push_back(DescribePlugin(plugin, outcome));
    }
    return loaded;
}
