#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "plugin/elf_file_check.h"
#include "plugin/module.h"

namespace {

// Kept at the failure itself: any later dl call may clear the loader's text.
char lastLoadError[512];

// "<folder of the running program>/<name>", or an empty text when the
// program's own path cannot be read or the result would not fit.
String BesideProgram(const char* name) {
    String path;
    char program[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return path;
    program[length] = '\0';
    char* slash = strrchr(program, '/');
    if (!slash) return path;
    slash[1] = '\0';
    if (strlen(program) + strlen(name) >= sizeof program) return path;
    strcat(program, name);
    path.Assign(program);
    return path;
}

}  // namespace

// A bare name is looked for beside the program first, as the Windows loader
// looks in the program's folder; the RUNPATH ($ORIGIN) of the program says the
// same, but a sanitizer's interception of dlopen hides the program as the
// caller. Any other name, or a bare name not found there, goes to the loader
// unchanged. RTLD_NOW: a module with an unresolved symbol fails here, when its
// pack is added, and not in the middle of a frame.
// A file cut short is refused before the loader maps it.
ModuleHandle LoadModule(const char* fileName) {
    String path;
    if (!strchr(fileName, '/')) path = BesideProgram(fileName);
    const char* file = fileName;
    if (path.GetLength() > 0 && access(path.GetText(), F_OK) == 0) file = path.GetText();
    if (strchr(file, '/') && !ElfFileIsWhole(file, lastLoadError, sizeof lastLoadError))
        return nullptr;
    ModuleHandle module = dlopen(file, RTLD_NOW);
    const char* reason = module ? nullptr : dlerror();
    snprintf(lastLoadError, sizeof lastLoadError, "%s", reason ? reason : "");
    return module;
}

ModuleFunction FindModuleFunction(ModuleHandle module, const char* name) {
    return reinterpret_cast<ModuleFunction>(dlsym(module, name));
}

void UnloadModule(ModuleHandle module) {
    if (module) dlclose(module);
}

String GetModulePath(ModuleHandle module) {
    String path;
    struct link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr)
        return path;
    char full[PATH_MAX];
    path.Assign(realpath(map->l_name, full) ? full : map->l_name);
    return path;
}

String GetModuleLoadError() {
    String reason;
    reason.Assign(lastLoadError);
    return reason;
}
