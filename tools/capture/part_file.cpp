#include "tools/capture/part_file.h"

#include <filesystem>
#include <system_error>

#include "foundation/exception.h"

PartFile::PartFile(const std::string& path)
    : path_(path), partPath_(path + ".part"), committed_(false) {}

PartFile::~PartFile() {
    if (committed_) return;
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(partPath_), ignored);
}

void PartFile::Commit() {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(partPath_), std::filesystem::path(path_), error);
    if (error) {
        throw Ombrel::Exception("Cannot write %s: %s", path_.c_str(), error.message().c_str());
    }
    committed_ = true;
}
