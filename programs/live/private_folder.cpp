#include "programs/live/private_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "foundation/exception.h"
#include "programs/live/own_folder.h"
#include "programs/support/process.h"

namespace Ombrel::Live {

namespace fs = std::filesystem;

PrivateFolder::PrivateFolder(std::string folder) : path(std::move(folder)) {
    MakeOwnFolder(path, 2);
}

std::string PrivateFolder::Make(const std::string& root, int session) {
    // Nothing is removed from, copied into or loaded from a folder that
    // another user could change.
    MakeOwnFolder(root);
    // What a killed session left behind: this user's own folders only,
    // never what a link points to.
    std::error_code error;
    for (fs::directory_iterator entry(root, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = entry->path().filename().string();
        char* stop = nullptr;
        long owner = std::strtol(name.c_str(), &stop, 10);
        if (stop == name.c_str() || *stop != '\0' || owner == session) continue;
        if (!Ombrel::Tools::ProcessIsRunning(static_cast<int>(owner)) &&
            IsOwnFolder(entry->path().string())) {
            std::error_code ignored;
            fs::remove_all(entry->path(), ignored);
        }
    }
    std::string folder = (fs::path(root) / std::to_string(session)).string();
    MakeOwnFolder(folder, 2);
    return folder;
}

bool PrivateFolder::MakeAgainIfMissing() const {
    std::error_code error;
    if (fs::symlink_status(path, error).type() == fs::file_type::directory) return false;
    // Missing, or something else in its place (a link is refused).
    MakeOwnFolder(path, 2);
    return true;
}

std::string PrivateFolder::CopyName(const std::string& source, int version) const {
    fs::path file = fs::path(source).filename();
    std::string name =
        file.stem().string() + "." + std::to_string(version) + file.extension().string();
    return (fs::path(path) / name).string();
}

std::string PrivateFolder::Copy(const std::string& source, int version) const {
    std::string copy = CopyName(source, version);
    std::error_code error;
    fs::copy_file(source, copy, fs::copy_options::overwrite_existing, error);
    if (error) {
        Remove(copy);
        throw Ombrel::Exception("Cannot copy %s to %s: %s", source.c_str(), copy.c_str(),
                                error.message().c_str());
    }
    return copy;
}

void PrivateFolder::Remove(const std::string& file) {
    if (file.empty()) return;
    std::error_code ignored;
    fs::remove(file, ignored);
}

void PrivateFolder::RemoveAllBut(const std::vector<std::string>& keep) const {
    std::error_code error;
    for (fs::directory_iterator entry(path, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string file = entry->path().string();
        bool kept = std::any_of(keep.begin(), keep.end(), [&](const std::string& k) {
            std::error_code same;
            return !k.empty() && fs::equivalent(k, file, same);
        });
        if (!kept && entry->is_regular_file()) Remove(file);
    }
}

void PrivateFolder::RemoveFolder() const {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

int PrivateFolder::CountFiles() const {
    int count = 0;
    std::error_code error;
    for (fs::directory_iterator entry(path, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->is_regular_file()) ++count;
    }
    return count;
}

}  // namespace Ombrel::Live
