#pragma once

#include "foundation/list.h"
#include "foundation/string.h"
#include "plugin/contract.h"
#include "plugin/descriptor.h"
#include "plugin/module.h"

// One loaded plugin pack: its module, checked against the contract, its four
// entry points, its name and one descriptor per plugin in index order. The
// host never deletes a pack nor unloads its module, so the plugin objects and
// their texts stay valid until the process ends; only a tool that reloads
// packs ends one, with Unload.
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

    // Deletes `pack` and its descriptors and unloads its module: for a tool
    // that replaces packs while it runs, once nothing calls the pack's
    // plugins any more and everything they made has been stopped. The host
    // never calls it.
    static void Unload(PluginPack* pack);

private:
    ~PluginPack() = default;
};
