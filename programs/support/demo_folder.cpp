#include "programs/support/demo_folder.h"

#include "plugin/module.h"

std::string DemoFile(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    if (name[0] == '.' && name[1] == '/') name += 2;
    return folder + "/" + name;
}

Ombrel::Exception WithLoaderReason(const Ombrel::Exception& failure) {
    String reason = GetModuleLoadError();
    if (reason.GetLength() == 0) return failure;
    return Ombrel::Exception("%s\n  loader: %s", failure.message, reason.GetText());
}

void AddDemoPack(PluginRegistry& registry, const std::string& file) {
    try {
        registry.AddPack(file.c_str());
    } catch (const Ombrel::Exception& e) {
        throw WithLoaderReason(e);
    }
}
