#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "programs/capture/segment_tag.h"

// A segment written as YUV4MPEG2 (the picture of frames FIRST to LAST, with
// its tag in the header), read frame by frame for joining.
class Y4mSegment {
public:
    // Opens the file and reads its header; throws Ombrel::Exception naming
    // the file when it cannot be read or is not such a segment.
    explicit Y4mSegment(const std::string& file);

    const SegmentTag& Tag() const { return tag; }
    // The bytes of one frame's planes (Y, U and V, 4:2:0).
    std::size_t FrameBytes() const;
    // Reads the next frame into `planes`; false after the last one. Throws
    // when the file ends inside a frame or holds more or fewer frames than
    // its tag says.
    bool ReadFrame(std::uint8_t* planes);

private:
    [[noreturn]] void Fail(const std::string& reason) const;

    std::string path;
    std::ifstream input;
    SegmentTag tag;
    std::int64_t read;
};
