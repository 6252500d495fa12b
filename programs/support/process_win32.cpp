#include <windows.h>

#include "programs/support/process.h"

namespace Ombrel::Tools {

int CurrentProcessId() {
    return static_cast<int>(GetCurrentProcessId());
}

bool ProcessIsRunning(int pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

std::string MachineName() {
    char host[MAX_COMPUTERNAME_LENGTH + 1] = {0};
    DWORD size = sizeof host;
    if (!GetComputerNameA(host, &size)) host[0] = '\0';
    return host[0] ? host : "host";
}

}  // namespace Ombrel::Tools
