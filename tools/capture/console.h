#pragma once

#include <cstdio>

// Whether `stream` goes to a terminal a person watches (console_posix.cpp,
// console_win32.cpp): only there is a progress line worth drawing.
bool IsTerminal(std::FILE* stream);
