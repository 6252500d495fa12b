#pragma once

#include <string>
#include <vector>

#include "plugin/descriptor.h"
#include "plugin/pack.h"
#include "programs/validate/guarded_call.h"

// A pack loaded as the host adds it, with one entry per plugin index: the
// plugin's descriptor, or null where its signature does not parse. Unlike the
// host, it goes on past such a plugin, so that the others can be checked.
struct PackPlugins {
    PluginPack* pack = nullptr;
    std::vector<PluginDescriptor*> descriptors;
};

// The plugin's descriptor as the host builds it, kept for the rest of the
// process as the host keeps its descriptors; null, with `outcome` saying
// why, when its signature does not parse.
PluginDescriptor* DescribePlugin(Plugin* plugin, CallOutcome& outcome);

// Throws Ombrel::Exception with the host's message when the pack is refused.
// The walk over the plugins ends at the first index that has no plugin.
PackPlugins LoadPackPlugins(const std::string& file);

// The plugins that packs go on to check at most; a pack may claim more.
const int MaxCheckedPlugins = 10000;
