#include "tools/capture/frame_range.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

// A whole number of at least one digit and no sign, ending at `*end`.
bool ReadCount(const char* text, std::int64_t* value, const char** end) {
    if (!std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    char* stop = nullptr;
    errno = 0;
    long long read = std::strtoll(text, &stop, 10);
    if (errno != 0) return false;
    *value = read;
    *end = stop;
    return true;
}

}  // namespace

std::string FrameRange::Text() const {
    return std::to_string(first) + "-" + std::to_string(last);
}

bool ReadFrameRange(const char* text, FrameRange* range) {
    FrameRange read;
    const char* end = nullptr;
    if (!ReadCount(text, &read.first, &end) || *end != '-') return false;
    if (!ReadCount(end + 1, &read.last, &end) || *end != '\0') return false;
    if (read.last < read.first) return false;
    *range = read;
    return true;
}
