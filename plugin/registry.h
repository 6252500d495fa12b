#pragma once

#include "foundation/list.h"
#include "plugin/descriptor.h"
#include "plugin/pack.h"

// The host's packs in the order they were added, with lookup of a plugin by
// name across all of them: the first pack that has the name wins. Destroying
// the registry destroys only its list; packs, descriptors and modules stay.
class PluginRegistry {
public:
    List<PluginPack*> packs;

    PluginRegistry() = default;
    ~PluginRegistry() = default;
    PluginRegistry(const PluginRegistry&) = delete;
    PluginRegistry& operator=(const PluginRegistry&) = delete;

    // Loads and checks the pack, links it in after the current pack (at the
    // end while no lookup has moved the cursor), then builds its descriptors.
    // A pack whose constructor fails is not added; a pack whose plugins fail
    // to load stays with the descriptors built so far. The exception passes on.
    void AddPack(const char* fileName);

    // Throws "Plugin %s not found" when no pack has the name.
    PluginDescriptor* FindPlugin(const char* pluginName);
};
