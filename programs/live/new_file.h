#pragma once

#include <string>

namespace Ombrel::Tools {

// Makes the file at `path`, which must not exist yet, under any name or
// link, and writes `text` to it: a link someone planted at the name is never
// written through. False when it cannot (new_file_posix.cpp,
// new_file_win32.cpp).
bool WriteNewFile(const std::string& path, const std::string& text);

}  // namespace Ombrel::Tools
