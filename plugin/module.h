#pragma once

#include "foundation/string.h"

// Loading a pack's module and finding its entry points: the one place that
// knows the platform's library loader (module_win32.cpp, module_posix.cpp).
// The host never unloads a module; UnloadModule serves the tools that reload
// packs (the live-development program).

typedef void* ModuleHandle;

// The type that every symbol is handed out as; callers cast it to the entry
// point's own function type.
typedef void (*ModuleFunction)();

// Loads the module by the name given, unchanged, so that the loader's own
// search applies (the program's folder for a bare name). Null on failure.
ModuleHandle LoadModule(const char* fileName);

// The exported function of that exact name, or null when there is none.
ModuleFunction FindModuleFunction(ModuleHandle module, const char* name);

// The full path of the file the loader loaded for `module`, which for a bare
// name may be a file other than one of that name in the current folder (empty
// when the loader cannot say).
String GetModulePath(ModuleHandle module);

// Gives back one load of `module` (each LoadModule of a file counts once);
// the loader unmaps the file when the last one is given back. Nothing may
// call into the module, or hold a pointer into it, afterwards.
void UnloadModule(ModuleHandle module);

// The loader's own reason for the last failed LoadModule, for diagnostics
// (empty when the loader gives none).
String GetModuleLoadError();
