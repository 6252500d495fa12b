#pragma once

#include <string>

// This process and others, by their process id (process_posix.cpp,
// process_win32.cpp).
namespace Ombrel::Tools {

int CurrentProcessId();
bool ProcessIsRunning(int pid);

// The machine's name, fit for a file name; "host" when it has none.
std::string MachineName();

// "<machine>-<process id>": a name no other process has at the same time, on
// this machine or on another that shares its folders.
inline std::string ProcessName() {
    return MachineName() + "-" + std::to_string(CurrentProcessId());
}

}  // namespace Ombrel::Tools
