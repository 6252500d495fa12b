#include <dlfcn.h>

#include "plugin/module.h"

// RTLD_NOW: a module with an unresolved symbol fails here, when its pack is
// added, and not in the middle of a frame. A bare name is searched for along
// the program's RUNPATH ($ORIGIN), as the Windows loader searches the
// program's folder.
ModuleHandle LoadModule(const char* fileName) {
    return dlopen(fileName, RTLD_NOW);
}

ModuleFunction FindModuleFunction(ModuleHandle module, const char* name) {
    return reinterpret_cast<ModuleFunction>(dlsym(module, name));
}

String GetModuleLoadError() {
    String reason;
    if (const char* text = dlerror()) reason.Assign(text);
    return reason;
}
