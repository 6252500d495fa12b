#include <dirent.h>
#include <unistd.h>

#include <cstdio>

#include "programs/live/process_resources.h"

namespace Ombrel::Tools {

long ResidentKilobytes() {
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (file == nullptr) return -1;
    long pages = 0, resident = 0;
    int read = std::fscanf(file, "%ld %ld", &pages, &resident);
    std::fclose(file);
    return read == 2 ? resident * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

int OpenHandleCount() {
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) return -1;
    int count = 0;
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(folder);
    return count - 1;  // the folder's own descriptor
}

}  // namespace Ombrel::Tools
