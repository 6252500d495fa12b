#include <windows.h>

#include "tools/capture/process_name.h"

std::string ProcessName() {
    char host[MAX_COMPUTERNAME_LENGTH + 1] = {0};
    DWORD size = sizeof host;
    if (!GetComputerNameA(host, &size)) host[0] = '\0';
    return std::string(host[0] ? host : "host") + "-" + std::to_string(GetCurrentProcessId());
}
