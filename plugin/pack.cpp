#include "plugin/pack.h"

#include "foundation/exception.h"

namespace {

template <typename Function>
Function FindEntryPoint(ModuleHandle module, const char* entryName) {
    return reinterpret_cast<Function>(FindModuleFunction(module, entryName));
}

// Packs live until the process ends, like their modules. Keeping every
// accepted pack in one process-wide list makes that explicit, and keeps them
// reachable after a registry that held them has gone.
List<PluginPack*>& LoadedPacks() {
    static List<PluginPack*>* const loadedPacks = new List<PluginPack*>();
    return *loadedPacks;
}

void KeepForProcessLifetime(PluginPack* pack) {
    LoadedPacks().Insert(pack);
}

// Takes `pack` out of the process-wide list; the list's cursor goes back to
// its start, which nothing relies on.
void ForgetPack(PluginPack* pack) {
    LoadedPacks().Remove(pack);
}

}  // namespace

PluginPack::PluginPack(const char* file)
    : getMagic(nullptr),
      getPluginCount(nullptr),
      getPluginInstance(nullptr),
      getPluginPackName(nullptr),
      module(nullptr),
      pluginCount(0) {
    fileName.Assign(file);
    module = LoadModule(file);
    if (!module) throw Ombrel::Exception("Unable to load: %s", file);

    // All four are looked up before any is checked.
    getMagic = FindEntryPoint<GetMagicFunction>(module, "GetMagic");
    getPluginCount = FindEntryPoint<GetPluginCountFunction>(module, "GetPluginCount");
    getPluginInstance = FindEntryPoint<GetPluginInstanceFunction>(module, "GetPluginInstance");
    getPluginPackName = FindEntryPoint<GetPluginPackNameFunction>(module, "GetPluginPackName");
    if (!getMagic || !getPluginCount || !getPluginInstance || !getPluginPackName) {
        throw Ombrel::Exception("Invalid plugin: %s", file);
    }
    if (getMagic() != PluginMagic) throw Ombrel::Exception("Invalid plugin: %s", file);

    pluginCount = getPluginCount();
    // A pack that answers null for its name is read as having no name.
    const char* packName = getPluginPackName();
    name.Assign(packName ? packName : "");
    KeepForProcessLifetime(this);
}

void PluginPack::LoadPlugins() {
    for (int index = 0; index < pluginCount; ++index) {
        Plugin* plugin = getPluginInstance(index);
        // The contract promises an object for every index below the count; a
        // pack that breaks it is rejected rather than dereferenced.
        if (!plugin) throw Ombrel::Exception("Invalid plugin: %s", fileName.GetText());
        descriptors.Insert(new PluginDescriptor(plugin));
    }
}

void PluginPack::Unload(PluginPack* pack) {
    if (!pack) return;
    ForgetPack(pack);
    for (pack->descriptors.MoveFirst(); pack->descriptors.HasCurrent();
         pack->descriptors.MoveNext()) {
        delete pack->descriptors.GetCurrent();
    }
    ModuleHandle module = pack->module;
    delete pack;
    UnloadModule(module);
}

PluginDescriptor* PluginPack::FindPlugin(const char* pluginName) {
    for (descriptors.MoveFirst(); descriptors.HasCurrent(); descriptors.MoveNext()) {
        PluginDescriptor* descriptor = descriptors.GetCurrent();
        if (descriptor->name.Compare(pluginName) == 0) return descriptor;
    }
    throw Ombrel::Exception("Plugin %s not found", pluginName);
}
