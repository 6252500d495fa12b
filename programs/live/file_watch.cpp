#include "programs/live/file_watch.h"

#include <filesystem>
#include <system_error>

#include "programs/live/file_times.h"

namespace Ombrel::Live {

namespace fs = std::filesystem;

namespace {

WatchClock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<WatchClock::duration>(std::chrono::duration<double>(seconds));
}

}  // namespace

std::string FileStamp::Text() const {
    if (!exists) return "none";
    return std::to_string(size) + ":" + std::to_string(modified);
}

// The file system's own times, to the finest step it keeps: the standard
// library's may round them to whole seconds, in which two builds of one size
// would look alike.
FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    stamp.exists = Ombrel::Tools::ReadFileTimes(path, stamp.size, stamp.modified);
    return stamp;
}

WatchedFile::WatchedFile(std::string file, double settleSeconds, WatchClock::time_point now)
    : path(std::move(file)), settle(Seconds(settleSeconds)), seenSince(now) {
    taken = seen = StampOf(path);
}

bool WatchedFile::Changed(WatchClock::time_point now) {
    FileStamp stamp = StampOf(path);
    if (stamp != seen) {
        seen = stamp;
        seenSince = now;
        return false;
    }
    if (seen == taken || now - seenSince < settle) return false;
    taken = seen;
    return true;
}

WatchedTree::WatchedTree(std::string root, double settleSeconds, WatchClock::time_point now)
    : folder(std::move(root)), settle(Seconds(settleSeconds)), seenSince(now) {
    taken = seen = Scan();
}

std::map<std::string, FileStamp> WatchedTree::Scan() const {
    std::map<std::string, FileStamp> files;
    std::error_code error;
    fs::recursive_directory_iterator walk(folder, error), end;
    while (!error && walk != end) {
        const fs::path& path = walk->path();
        bool isFolder = walk->is_directory(error);
        std::string name = path.filename().string();
        if (isFolder && (name.empty() || name[0] == '.' || fs::exists(path / "CMakeCache.txt"))) {
            walk.disable_recursion_pending();
        } else if (!isFolder && !name.empty() && name[0] != '.') {
            files[path.string()] = StampOf(path.string());
        }
        walk.increment(error);
    }
    return files;
}

bool WatchedTree::Changed(WatchClock::time_point now) {
    std::map<std::string, FileStamp> files = Scan();
    if (files != seen) {
        seen = std::move(files);
        seenSince = now;
        return false;
    }
    if (seen == taken || now - seenSince < settle) return false;
    taken = seen;
    return true;
}

}  // namespace Ombrel::Live
