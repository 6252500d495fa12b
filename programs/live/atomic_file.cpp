#include "programs/live/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "foundation/exception.h"
#include "programs/live/new_file.h"
#include "programs/support/process.h"

namespace Ombrel::Live {

bool ReadSmallFile(const std::string& path, std::size_t most, std::string& text) {
    std::error_code error;
    std::filesystem::path file(path);
    if (!std::filesystem::exists(file, error)) return false;
    // A pipe or a device planted at the name would hold the session up.
    if (!std::filesystem::is_regular_file(file, error))
        throw Ombrel::Exception("%s is not a regular file", path.c_str());
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Ombrel::Exception("Cannot read %s", path.c_str());
    text.clear();
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > most)
            throw Ombrel::Exception("%s is larger than %d bytes", path.c_str(),
                                    static_cast<int>(most));
    }
    if (in.bad()) throw Ombrel::Exception("Cannot read %s", path.c_str());
    return true;
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
    // A name of this process's own, so that two sessions of one demo never
    // write into each other's file. Whatever has that name (a file a crash
    // left, or a link someone planted) is removed, not written through.
    std::filesystem::path part(path + "." + Ombrel::Tools::ProcessName() + ".part");
    std::error_code error;
    std::filesystem::remove(part, error);
    if (!Ombrel::Tools::WriteNewFile(part.string(), text)) {
        std::filesystem::remove(part, error);
        throw Ombrel::Exception("Cannot write %s", path.c_str());
    }
    std::filesystem::rename(part, std::filesystem::path(path), error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw Ombrel::Exception("Cannot write %s: %s", path.c_str(), error.message().c_str());
    }
}

}  // namespace Ombrel::Live
