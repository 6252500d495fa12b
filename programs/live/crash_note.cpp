#include "programs/live/crash_note.h"

#include <cstdio>
#include <filesystem>

namespace Ombrel::Live {

namespace {

// One line, written by the process itself: more than this is not a note.
const std::size_t LongestNote = 1024;

}  // namespace

std::string CrashNotePath(const std::string& privateFolder) {
    return (std::filesystem::path(privateFolder) / "crash-note").string();
}

std::string TakeCrashNote(const std::string& path) {
    std::string note;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char text[LongestNote];
        std::size_t size = std::fread(text, 1, sizeof text, file);
        std::fclose(file);
        for (std::size_t i = 0; i < size && text[i] != '\n' && text[i] != '\0'; ++i) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            note += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
        }
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return note;
}

}  // namespace Ombrel::Live
