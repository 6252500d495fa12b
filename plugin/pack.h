#pragma once

#include "foundation/list.h"
#include "foundation/string.h"
#include "plugin/contract.h"
#include "plugin/descriptor.h"
#include "plugin/module.h"

// One loaded plugin pack: its module, checked against the contract, its four
// entry points, its name and one descriptor per plugin in index order. A pack
// is never deleted and its module is never unloaded, so the plugin objects
// and their texts stay valid until the process ends.
class PluginPack {
public:
    List<PluginDescriptor*> descriptors;
    GetMagicFunction getMagic;
    GetPluginCountFunction getPluginCount;
    GetPluginInstanceFunction getPluginInstance;
    GetPluginPackNameFunction getPluginPackName;
    String name;
    ModuleHandle module;
    int pluginCount;
    // The file name the pack was loaded by, for the messages that name it.
    String fileName;

    // Loads the module, finds the four entry points, checks the magic and
    // reads the plugin count and the pack name. Throws "Unable to load: %s"
    // or "Invalid plugin: %s" with the file name; a module that loaded stays
    // loaded either way.
    explicit PluginPack(const char* fileName);

    PluginPack(const PluginPack&) = delete;
    PluginPack& operator=(const PluginPack&) = delete;

    // Builds the descriptors of plugins 0 to pluginCount - 1 in order. A
    // failure leaves the descriptors built before it in place and passes on.
    void LoadPlugins();

    // The descriptor of the first plugin of exactly that name (case
    // included); throws "Plugin %s not found".
    PluginDescriptor* FindPlugin(const char* pluginName);

private:
    ~PluginPack() = default;
};
