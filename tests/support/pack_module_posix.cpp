#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "tests/support/pack_module.h"

namespace {

std::string ProgramFolder() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    std::string folder(path);
    return folder.substr(0, folder.rfind('/'));
}

template <typename F>
F Entry(void* handle, const char* name) {
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr) throw std::runtime_error(std::string("Vantrope.so lacks ") + name);
    return reinterpret_cast<F>(symbol);
}

}  // namespace

PackModule::PackModule() {
    std::string path = ProgramFolder() + "/Vantrope.so";
    handle = dlopen(path.c_str(), RTLD_NOW);
    if (handle == nullptr) throw std::runtime_error("Unable to load " + path + ": " + dlerror());
    getMagic = Entry<GetMagicFunction>(handle, "GetMagic");
    getPluginCount = Entry<GetPluginCountFunction>(handle, "GetPluginCount");
    getPluginInstance = Entry<GetPluginInstanceFunction>(handle, "GetPluginInstance");
    getPluginPackName = Entry<GetPluginPackNameFunction>(handle, "GetPluginPackName");
}

// The pack stays loaded, as in the host: its plugin objects are static and
// other tests of the same program use them again.
PackModule::~PackModule() {}

Plugin* PackModule::Find(const char* name) const {
    for (int i = 0; i < getPluginCount(); ++i) {
        Plugin* plugin = getPluginInstance(i);
        if (plugin != nullptr && std::strcmp(plugin->GetName(), name) == 0) return plugin;
    }
    return nullptr;
}
