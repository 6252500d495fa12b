#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace Ombrel::Live {

// Reads `stream` to its end and hands each line in turn to `line`, without
// its line break and without any of the characters of `trailing` that stand
// just before the break. A last line without a break is handed on as it is.
// For the output of a command run through the system's shell
// (RunShellCommand, shell_command_*.cpp).
void ReadOutputLines(std::FILE* stream, const char* trailing,
                     const std::function<void(const std::string& line)>& line);

}  // namespace Ombrel::Live
