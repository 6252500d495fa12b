#include "programs/capture/part_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "foundation/exception.h"
#include "programs/support/process.h"
#include "programs/support/quick_end.h"

namespace {

// The temporary files not committed yet. They go however the program ends:
// a library may end it with exit(), as Xlib does when its display goes away,
// and exit() runs no destructor; a second Ctrl-C or a cleanup that never
// returns ends it with QuickEnd().
std::vector<std::string>& Unfinished() {
    static auto* files = new std::vector<std::string>;
    return *files;
}

void RemoveUnfinished() {
    for (const std::string& file : Unfinished()) std::remove(file.c_str());
}

void Forget(const std::string& file) {
    std::vector<std::string>& files = Unfinished();
    files.erase(std::remove(files.begin(), files.end(), file), files.end());
}

}  // namespace

PartFile::PartFile(const std::string& finalPath)
    : path(finalPath), partPath(finalPath + ".part"), committed(false) {
    static const bool removedAtEnd = [] {
        AtQuickEnd(RemoveUnfinished);
        return std::atexit(RemoveUnfinished) == 0;
    }();
    (void)removedAtEnd;
    Unfinished().push_back(partPath);
}

PartFile::PartFile(const std::string& finalPath, bool ownName) : PartFile(finalPath) {
    if (!ownName) return;
    Forget(partPath);
    partPath = finalPath + "." + Ombrel::Tools::ProcessName() + ".part";
    Unfinished().push_back(partPath);
}

PartFile::~PartFile() {
    Forget(partPath);
    if (committed) return;
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(partPath), ignored);
}

void PartFile::Commit() {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(partPath), std::filesystem::path(path), error);
    if (error) {
        throw Ombrel::Exception("Cannot write %s: %s", path.c_str(), error.message().c_str());
    }
    Forget(partPath);
    committed = true;
}
