#include "tools/support/graph_plugins.h"

#include "tools/support/plugin_names.h"

void AddLoadedPlugins(PluginPack& pack, const std::string& packName,
                      std::vector<LoadedPlugin>& loaded) {
    for (List<PluginDescriptor*>::Node* node = pack.descriptors.head->next;
         node != pack.descriptors.tail; node = node->next) {
        loaded.push_back({node->item->name.GetText(), packName});
    }
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
