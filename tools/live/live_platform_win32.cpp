#include <windows.h>
// After windows.h, which they need.
#include <io.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>

#include "tools/live/live_platform.h"
#include "tools/live/output_lines.h"

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

std::string PrivateRoot() {
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) temporary = ".";
    return (temporary / "ombrel-live").string();
}

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

bool ReadFileTimes(const std::string& path, unsigned long long& size, long long& written) {
    WIN32_FILE_ATTRIBUTE_DATA about;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &about) ||
        (about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    size = (static_cast<unsigned long long>(about.nFileSizeHigh) << 32) | about.nFileSizeLow;
    written = static_cast<long long>(
        (static_cast<unsigned long long>(about.ftLastWriteTime.dwHighDateTime) << 32) |
        about.ftLastWriteTime.dwLowDateTime);
    return true;
}

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

int RunShellCommand(const std::string& command,
                    const std::function<void(const std::string& line)>& line) {
    std::FILE* output = _popen((command + " 2>&1").c_str(), "r");
    if (output == nullptr) return -1;
    // cmd's echo keeps the blank before a redirection: no line ends in one.
    ReadOutputLines(output, "\r ", line);
    return _pclose(output);
}
