#pragma once

#include <string>

// "<host>-<process id>": a name no other process has at the same time, on
// this machine or on another that shares its folders (process_name_posix.cpp,
// process_name_win32.cpp).
std::string ProcessName();
