#pragma once

#include <string>
#include <vector>

#include "host/demo_graph.h"

// A plugin of a loaded pack, with the name of the pack it came from.
struct LoadedPlugin {
    std::string name;
    std::string pack;
};

// Appends the plugins of `pack` to `loaded`, under the name `packName`.
void AddLoadedPlugins(const PluginPack& pack, const std::string& packName,
                      std::vector<LoadedPlugin>& loaded);

// The plugins of every pack of `registry`, each under its pack's file name.
std::vector<LoadedPlugin> LoadedPluginsOf(const PluginRegistry& registry);

// One warning for each call of the graph that found no plugin, naming the
// nearest name a loaded pack has: "the demo calls PrintCOctreeScene, which no
// loaded pack has (Vantrope has PrintCoctreeScene)". Such a call does
// nothing, silently: the demo would show a black picture without a word.
std::vector<std::string> MissingGraphPlugins(const DemoGraph& graph,
                                             const std::vector<LoadedPlugin>& loaded);
