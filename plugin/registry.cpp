#include "plugin/registry.h"

#include "foundation/exception.h"

void PluginRegistry::AddPack(const char* fileName) {
    PluginPack* pack = new PluginPack(fileName);
    packs.Insert(pack);
    pack->LoadPlugins();
}

PluginDescriptor* PluginRegistry::FindPlugin(const char* pluginName) {
    for (packs.MoveFirst(); packs.HasCurrent(); packs.MoveNext()) {
        try {
            return packs.GetCurrent()->FindPlugin(pluginName);
        } catch (const Ombrel::Exception&) {
            // Not in this pack: try the next one.
        }
    }
    throw Ombrel::Exception("Plugin %s not found", pluginName);
}
