#include <tlhelp32.h>
#include <windows.h>

#include "tools/live/parent_watch.h"

namespace {

// The parent's process, opened to be waited on; null when it was not found.
HANDLE parent = nullptr;

DWORD ParentId() {
    DWORD self = GetCurrentProcessId(), found = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && found == 0;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == self) found = entry.th32ParentProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

void WatchParent() {
    DWORD id = ParentId();
    if (id != 0) parent = OpenProcess(SYNCHRONIZE, FALSE, id);
}

bool ParentGone() {
    return parent != nullptr && WaitForSingleObject(parent, 0) == WAIT_OBJECT_0;
}
