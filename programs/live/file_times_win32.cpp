#include <windows.h>

#include "programs/live/file_times.h"

bool Ombrel::Tools::ReadFileTimes(const std::string& path, unsigned long long& size,
                                  long long& written) {
    WIN32_FILE_ATTRIBUTE_DATA about;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &about) ||
        (about.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    size = (static_cast<unsigned long long>(about.nFileSizeHigh) << 32) | about.nFileSizeLow;
    written = static_cast<long long>(
        (static_cast<unsigned long long>(about.ftLastWriteTime.dwHighDateTime) << 32) |
        about.ftLastWriteTime.dwLowDateTime);
    return true;
}
