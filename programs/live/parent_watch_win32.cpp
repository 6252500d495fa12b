#include <tlhelp32.h>
#include <windows.h>

#include "programs/live/parent_watch.h"

namespace Ombrel::Live {

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

FILETIME Created(HANDLE process) {
    FILETIME created = {}, ended, kernel, user;
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    return created;
}

}  // namespace

// A parent that ended before this process looked leaves its id to be used
// again: a process made after this one is not its parent.
void WatchParent() {
    DWORD id = ParentId();
    if (id == 0) return;
    parent = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
    if (parent == nullptr) return;
    FILETIME itsStart = Created(parent), ownStart = Created(GetCurrentProcess());
    if (CompareFileTime(&itsStart, &ownStart) > 0) {
        CloseHandle(parent);
        parent = nullptr;
    }
}

bool ParentGone() {
    return parent != nullptr && WaitForSingleObject(parent, 0) == WAIT_OBJECT_0;
}

}  // namespace Ombrel::Live
