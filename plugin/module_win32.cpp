#include <windows.h>

#include "plugin/module.h"

ModuleHandle LoadModule(const char* fileName) {
    return reinterpret_cast<ModuleHandle>(LoadLibraryA(fileName));
}

ModuleFunction FindModuleFunction(ModuleHandle module, const char* name) {
    return reinterpret_cast<ModuleFunction>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)));
}

String GetModuleLoadError() {
    String reason;
    DWORD code = GetLastError();
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
