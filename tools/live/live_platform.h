#pragma once

#include <cstdio>
#include <functional>
#include <string>

// What the live-development program needs of the operating system
// (live_platform_posix.cpp, live_platform_win32.cpp).

int CurrentProcessId();
bool ProcessIsRunning(int pid);

// The folder that holds the private folders of this user's sessions: in the
// user's runtime folder where there is one (XDG_RUNTIME_DIR), else in the
// system's folder for temporary files. It is checked before it is used
// (own_folder.h).
std::string PrivateRoot();

bool IsTerminal(std::FILE* stream);

// The size of the regular file at `path` and the time it was last written,
// in the system's finest steps (nanoseconds, or 100 ns on Windows); false when
// there is no such file.
bool ReadFileTimes(const std::string& path, unsigned long long& size, long long& written);

// The process's resident memory in kilobytes and its open file descriptors
// (Windows: handles); -1 when the system does not say.
long ResidentKilobytes();
int OpenHandleCount();

// Runs `command` with the system's shell, its output and errors going line by
// line to `line`. Returns its exit status (-1 when it could not be started).
int RunShellCommand(const std::string& command,
                    const std::function<void(const std::string& line)>& line);
