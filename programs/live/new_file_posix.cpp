#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "programs/live/new_file.h"

bool Ombrel::Tools::WriteNewFile(const std::string& path, const std::string& text) {
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (file < 0) return false;
    const char* at = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t written = write(file, at, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    bool closed = close(file) == 0;
    return left == 0 && closed;
}
