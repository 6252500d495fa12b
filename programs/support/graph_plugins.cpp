#include "programs/support/graph_plugins.h"

#include "programs/support/plugin_names.h"

void AddLoadedPlugins(const PluginPack& pack, const std::string& packName,
                      std::vector<LoadedPlugin>& loaded) {
    for (const PluginDescriptor* descriptor : pack.descriptors)
        loaded.push_back({descriptor->name.GetText(), packName});
}

std::vector<LoadedPlugin> LoadedPluginsOf(const PluginRegistry& registry) {
    std::vector<LoadedPlugin> loaded;
    for (const PluginPack* pack : registry.packs)
        AddLoadedPlugins(*pack, pack->fileName.GetText(), loaded);
    return loaded;
}

std::vector<std::string> MissingGraphPlugins(const DemoGraph& graph,
                                             const std::vector<LoadedPlugin>& loaded) {
    std::vector<std::string> names;
    for (const LoadedPlugin& plugin : loaded) names.push_back(plugin.name);
    std::vector<std::string> warnings;
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        if ((graph.calls.*entry.call).plugin != nullptr) continue;
        std::string warning =
            std::string("the demo calls ") + entry.pluginName + ", which no loaded pack has";
        std::string nearest = NearestName(entry.pluginName, names);
        for (const LoadedPlugin& plugin : loaded) {
            if (plugin.name != nearest) continue;
            warning += " (" + plugin.pack + " has " + nearest + ")";
            break;
        }
        warnings.push_back(warning);
    }
    return warnings;
}
