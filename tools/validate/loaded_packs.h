#pragma once

#include <string>
#include <vector>

#include "plugin/descriptor.h"
#include "plugin/pack.h"

// A pack loaded as the host adds it, with one entry per plugin index: the
// plugin's descriptor, or null where its signature does not parse. Unlike the
// host, it goes on past such a plugin, so that the others can be checked.
struct PackPlugins {
    PluginPack* pack = nullptr;
    std::vector<PluginDescriptor*> descriptors;
};

// Throws Ombrel::Exception with the host's message when the pack is refused.
// The walk over the plugins ends at the first index that has no plugin.
PackPlugins LoadPackPlugins(const std::string& file);

// The plugins that packs go on to check at most; a pack may claim more.
const int MaxCheckedPlugins = 10000;
