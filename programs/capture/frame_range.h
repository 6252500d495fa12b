#pragma once

#include <cstdint>
#include <string>

// Frames first to last of a video, both included, numbered from 0 for the
// whole video's first frame.
struct FrameRange {
    std::int64_t first = 0;
    std::int64_t last = -1;

    std::int64_t Count() const { return last - first + 1; }
    bool Empty() const { return last < first; }
    // "FIRST-LAST".
    std::string Text() const;
};

// Reads "FIRST-LAST" (whole numbers, FIRST <= LAST); false when the text is
// anything else.
bool ReadFrameRange(const char* text, FrameRange* range);
