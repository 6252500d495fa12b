#pragma once

#include <cstdio>

namespace Ombrel::Tools {

// Whether `stream` goes to a terminal a person watches (terminal_posix.cpp,
// terminal_win32.cpp): only there is a progress or status line worth drawing.
bool IsTerminal(std::FILE* stream);

}  // namespace Ombrel::Tools
