#pragma once

#include <string>

namespace Ombrel::Live {

// Opens a web address in the user's default browser, without waiting for it
// (open_address_posix.cpp: xdg-open, its output kept off the terminal;
// open_address_win32.cpp: ShellExecute). False, with `error` set, when the
// opener could not be started.
bool OpenAddress(const std::string& address, std::string& error);

}  // namespace Ombrel::Live
