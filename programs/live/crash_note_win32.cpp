#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "programs/live/crash_note.h"

namespace Ombrel::Live {

// On Windows the note names the module and the offset: symbols would need
// the debug help library, which is not cheap to load in a crashing process.
namespace {

char notePath[MAX_PATH * 2];
LPTOP_LEVEL_EXCEPTION_FILTER before = nullptr;

LONG WINAPI OnFault(EXCEPTION_POINTERS* exception) {
    void* address = exception->ExceptionRecord->ExceptionAddress;
    HMODULE module = nullptr;
    char path[MAX_PATH] = "";
    char note[MAX_PATH + 64];
    if (GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCSTR>(address), &module) &&
        GetModuleFileNameA(module, path, sizeof path) != 0) {
        const char* name = std::strrchr(path, '\\');
        name = name != nullptr ? name + 1 : path;
        unsigned long long offset =
            reinterpret_cast<ULONG_PTR>(address) - reinterpret_cast<ULONG_PTR>(module);
        std::snprintf(note, sizeof note, "at %s+0x%llx\n", name, offset);
    } else {
        std::snprintf(note, sizeof note, "at 0x%llx\n",
                      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(address)));
    }
    HANDLE file = CreateFileA(notePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, note, static_cast<DWORD>(std::strlen(note)), &written, nullptr);
        CloseHandle(file);
    }
    return before != nullptr ? before(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

// Set after the child process's own filter (PrepareChildProcess), which ends
// the process with the exception's code and is called after the note.
void WriteCrashNoteOnFault(const std::string& path) {
    if (path.size() >= sizeof notePath) return;
    std::memcpy(notePath, path.c_str(), path.size() + 1);
    before = SetUnhandledExceptionFilter(OnFault);
}

}  // namespace Ombrel::Live
