#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tools/live/live_platform.h"
#include "tools/live/output_lines.h"

int CurrentProcessId() {
    return static_cast<int>(getpid());
}

bool ProcessIsRunning(int pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

std::string PrivateRoot() {
    namespace fs = std::filesystem;
    // The user's runtime folder is theirs alone by definition; the temporary
    // folder is shared, so the folder in it carries the user's number.
    std::error_code error;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    bool inRuntime = runtime != nullptr && runtime[0] == '/';
    fs::path base = inRuntime ? fs::path(runtime) : fs::temp_directory_path(error);
    if (error) base = "/tmp";
    // Links above the folder are resolved here, once; every step of what they
    // resolve to is checked before the folder is used.
    fs::path resolved = fs::canonical(base, error);
    if (!error) base = resolved;
    return (base / (inRuntime ? "ombrel-live" : "ombrel-live-" + std::to_string(getuid())))
        .string();
}

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

bool ReadFileTimes(const std::string& path, unsigned long long& size, long long& written) {
    struct stat about;
    if (stat(path.c_str(), &about) != 0 || !S_ISREG(about.st_mode)) return false;
    size = static_cast<unsigned long long>(about.st_size);
    written = static_cast<long long>(about.st_mtim.tv_sec) * 1000000000 + about.st_mtim.tv_nsec;
    return true;
}

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

int RunShellCommand(const std::string& command,
                    const std::function<void(const std::string& line)>& line) {
    std::FILE* output = popen((command + " 2>&1").c_str(), "r");
    if (output == nullptr) return -1;
    ReadOutputLines(output, "", line);
    int status = pclose(output);
    if (status == -1) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
