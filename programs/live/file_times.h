#pragma once

#include <string>

namespace Ombrel::Tools {

// The size of the regular file at `path` and the time it was last written,
// in the system's finest steps (nanoseconds, or 100 ns on Windows); false when
// there is no such file (file_times_posix.cpp, file_times_win32.cpp).
bool ReadFileTimes(const std::string& path, unsigned long long& size, long long& written);

}  // namespace Ombrel::Tools
