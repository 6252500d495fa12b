#pragma once

namespace Ombrel::Tools {

// The process's resident memory in kilobytes and its open file descriptors
// (Windows: handles); -1 when the system does not say
// (process_resources_posix.cpp, process_resources_win32.cpp).
long ResidentKilobytes();
int OpenHandleCount();

}  // namespace Ombrel::Tools
