#include "programs/capture/frame_range.h"

#include <cctype>
#include <limits>

#include "programs/support/option_table.h"

namespace {

// A whole number of at least one digit and no sign or blank.
bool ReadCount(const std::string& text, std::int64_t* value) {
    long long read = 0;
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) ||
        !Ombrel::Tools::ReadInteger(text, 0, std::numeric_limits<long long>::max(), read)) {
        return false;
    }
    *value = read;
    return true;
}

}  // namespace

std::string FrameRange::Text() const {
    return std::to_string(first) + "-" + std::to_string(last);
}

bool ReadFrameRange(const char* text, FrameRange* range) {
    FrameRange read;
    std::string first, last;
    if (!Ombrel::Tools::SplitRange(text, first, last) || !ReadCount(first, &read.first) ||
        !ReadCount(last, &read.last) || read.last < read.first) {
        return false;
    }
    *range = read;
    return true;
}
