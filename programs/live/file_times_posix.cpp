#include <sys/stat.h>

#include "programs/live/file_times.h"

bool Ombrel::Tools::ReadFileTimes(const std::string& path, unsigned long long& size,
                                  long long& written) {
    struct stat about;
    if (stat(path.c_str(), &about) != 0 || !S_ISREG(about.st_mode)) return false;
    size = static_cast<unsigned long long>(about.st_size);
    written = static_cast<long long>(about.st_mtim.tv_sec) * 1000000000 + about.st_mtim.tv_nsec;
    return true;
}
