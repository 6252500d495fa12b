#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "foundation/exception.h"
#include "programs/live/own_folder.h"

namespace {

[[noreturn]] void Unsafe(const std::string& folder, const std::string& what) {
    throw Ombrel::Exception("Unsafe private folder %s: %s", folder.c_str(), what.c_str());
}

std::string Mode(mode_t mode) {
    char text[16];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// What is wrong with one step of the path, or "" when nothing is.
std::string Fault(const std::string& step, const struct stat& about, bool own) {
    uid_t user = getuid();
    if (S_ISLNK(about.st_mode)) return step + " is a symbolic link";
    if (!S_ISDIR(about.st_mode)) return step + " is not a folder";
    if (own && about.st_uid != user) {
        return step + " belongs to user " + std::to_string(about.st_uid) + ", not to user " +
               std::to_string(user);
    }
    if (!own && about.st_uid != user && about.st_uid != 0) {
        return step + " belongs to user " + std::to_string(about.st_uid) +
               ", neither to the system nor to user " + std::to_string(user);
    }
    bool othersWrite = (about.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    // A shared folder such as /tmp lets each user remove only their own
    // entries (the sticky bit); a private one lets no one else write at all.
    if (othersWrite && (own || (about.st_mode & S_ISVTX) == 0))
        return "others can write in " + step + " (mode " + Mode(about.st_mode) + ")";
    return "";
}

class Descriptor {
public:
    explicit Descriptor(int opened) : fd(opened) {}
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void Reset(int opened) {
        if (fd >= 0) close(fd);
        fd = opened;
    }
    int fd;
};

}  // namespace

void MakeOwnFolder(const std::string& folder, int ownSteps) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) Unsafe(folder, error.message());
    std::vector<std::string> names;
    for (const std::filesystem::path& name : path.relative_path()) {
        if (!name.empty()) names.push_back(name.string());
    }
    if (names.empty()) Unsafe(folder, "it is the root folder");
    // Each step is opened from the one above it, never through a link, so
    // what is checked is what is used.
    Descriptor at(open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::string step;
    for (std::size_t i = 0; i < names.size(); ++i) {
        step += "/" + names[i];
        bool own = i + ownSteps >= names.size();
        struct stat about;
        if (fstatat(at.fd, names[i].c_str(), &about, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !own) Unsafe(folder, step + ": " + std::strerror(errno));
            if (mkdirat(at.fd, names[i].c_str(), 0700) != 0 && errno != EEXIST)
                Unsafe(folder, "cannot make " + step + ": " + std::strerror(errno));
            if (fstatat(at.fd, names[i].c_str(), &about, AT_SYMLINK_NOFOLLOW) != 0)
                Unsafe(folder, step + ": " + std::strerror(errno));
        }
        std::string fault = Fault(step, about, own);
        if (!fault.empty()) Unsafe(folder, fault);
        int next = openat(at.fd, names[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) Unsafe(folder, step + ": " + std::strerror(errno));
        at.Reset(next);
        struct stat opened;
        if (fstat(at.fd, &opened) != 0 || opened.st_dev != about.st_dev ||
            opened.st_ino != about.st_ino)
            Unsafe(folder, step + " was replaced while it was checked");
    }
}

bool IsOwnFolder(const std::string& entry) {
    struct stat about;
    return lstat(entry.c_str(), &about) == 0 && S_ISDIR(about.st_mode) && about.st_uid == getuid();
}

std::string Ombrel::Tools::PrivateRoot() {
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
