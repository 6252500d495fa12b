#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include "programs/live/process_resources.h"

namespace Ombrel::Tools {

long ResidentKilobytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

int OpenHandleCount() {
    DWORD count = 0;
    if (!GetProcessHandleCount(GetCurrentProcess(), &count)) return -1;
    return static_cast<int>(count);
}

}  // namespace Ombrel::Tools
