#include <windows.h>

#include "plugin/module.h"

namespace {
// Kept at the failure itself: later calls may change the thread's last error.
DWORD lastLoadError = 0;
}  // namespace

ModuleHandle LoadModule(const char* fileName) {
    HMODULE module = LoadLibraryA(fileName);
    lastLoadError = module ? 0 : GetLastError();
    return reinterpret_cast<ModuleHandle>(module);
}

ModuleFunction FindModuleFunction(ModuleHandle module, const char* name) {
    return reinterpret_cast<ModuleFunction>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)));
}

void UnloadModule(ModuleHandle module) {
    if (module) FreeLibrary(static_cast<HMODULE>(module));
}

String GetModulePath(ModuleHandle module) {
    String path;
    char full[MAX_PATH];
    DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), full, sizeof full);
    if (length > 0 && length < sizeof full) path.Assign(full);
    return path;
}

String GetModuleLoadError() {
    String reason;
    DWORD code = lastLoadError;
    if (code == 0) return reason;
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    // The system's texts end with a line break.
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
    text[length] = '\0';
    reason = String("error %lu: %s", static_cast<unsigned long>(code), text);
    return reason;
}
