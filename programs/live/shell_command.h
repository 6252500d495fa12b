#pragma once

#include <functional>
#include <string>

namespace Ombrel::Tools {

// Runs `command` with the system's shell, its output and the errors of all
// its steps going line by line to `line`. Returns its exit status (-1 when it
// could not be started) (shell_command_posix.cpp, shell_command_win32.cpp).
int RunShellCommand(const std::string& command,
                    const std::function<void(const std::string& line)>& line);

}  // namespace Ombrel::Tools
