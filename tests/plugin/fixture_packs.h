#pragma once

#include <string>

#include "plugin/module.h"

// The file name of a fixture pack on this platform, found by bare name.
inline std::string PackFile(const char* name) {
    return std::string(name) + OMBREL_PACK_SUFFIX;
}

// The two functions that a recording pack exports for the tests.
class RecorderPackAccess {
public:
    explicit RecorderPackAccess(const char* packName) {
        ModuleHandle module = LoadModule(PackFile(packName).c_str());
        if (!module) return;
        getLog = reinterpret_cast<const char* (*)()>(FindModuleFunction(module, "GetRecorderLog"));
        reset = reinterpret_cast<void (*)()>(FindModuleFunction(module, "ResetRecorders"));
    }

    bool IsValid() const { return getLog && reset; }
    std::string Log() const { return getLog(); }
    void Reset() const { reset(); }

private:
    const char* (*getLog)() = nullptr;
    void (*reset)() = nullptr;
};
