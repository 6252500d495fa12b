#pragma once

#include <chrono>
#include <map>
#include <string>

namespace Ombrel::Live {

// Watching files for a change that is finished: a writer (a linker, an
// editor) writes a file in steps, so a change counts once the file has stayed
// the same for a settling time. Files are looked at when asked (polling), the
// same way on every system.

// What a file looks like from outside: whether it is there, its size and its
// time of last change. Two stamps differ when the file was written.
struct FileStamp {
    bool exists = false;
    unsigned long long size = 0;
    long long modified = 0;

    bool operator==(const FileStamp& other) const {
        return exists == other.exists && size == other.size && modified == other.modified;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
    // "size:time", or "none" for a missing file.
    std::string Text() const;
};

FileStamp StampOf(const std::string& path);

using WatchClock = std::chrono::steady_clock;

// One file: Changed() says, once per change, that the file has a new stamp
// that has stayed the same for the settling time.
class WatchedFile {
public:
    WatchedFile(std::string path, double settleSeconds, WatchClock::time_point now);

    bool Changed(WatchClock::time_point now);
    const std::string& Path() const { return path; }
    // The stamp of the last change taken.
    const FileStamp& Taken() const { return taken; }

private:
    std::string path;
    WatchClock::duration settle;
    FileStamp taken;
    FileStamp seen;
    WatchClock::time_point seenSince;
};

// A folder and everything under it, except hidden folders and build folders
// (those that hold a CMakeCache.txt): Changed() says, once per change, that a
// file was added, removed or written and that nothing has changed since for
// the settling time.
class WatchedTree {
public:
    WatchedTree(std::string folder, double settleSeconds, WatchClock::time_point now);

    bool Changed(WatchClock::time_point now);

private:
    std::map<std::string, FileStamp> Scan() const;

    std::string folder;
    WatchClock::duration settle;
    std::map<std::string, FileStamp> taken;
    std::map<std::string, FileStamp> seen;
    WatchClock::time_point seenSince;
};

}  // namespace Ombrel::Live
