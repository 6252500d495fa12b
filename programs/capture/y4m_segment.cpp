#include "programs/capture/y4m_segment.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "foundation/exception.h"

Y4mSegment::Y4mSegment(const std::string& file)
    : path(file), input(file, std::ios::binary), read(0) {
    if (!input) Fail("cannot be opened");
    std::string header;
    if (!std::getline(input, header) || header.compare(0, 10, "YUV4MPEG2 ") != 0) {
        Fail("is not a YUV4MPEG2 file");
    }
    std::istringstream fields(header.substr(10));
    std::string field;
    int width = 0, height = 0, numerator = 0, denominator = 0;
    bool planar420 = false, tagged = false;
    while (fields >> field) {
        if (field[0] == 'W') width = std::atoi(field.c_str() + 1);
        if (field[0] == 'H') height = std::atoi(field.c_str() + 1);
        if (field[0] == 'F' &&
            std::sscanf(field.c_str(), "F%d:%d", &numerator, &denominator) != 2) {
            numerator = 0;
        }
        if (field[0] == 'C') planar420 = field.compare(0, 4, "C420") == 0;
        if (field.compare(0, 16, "XOMBREL_SEGMENT=") == 0) {
            tagged = ReadSegmentTag(field.substr(16), &tag);
        }
    }
    if (!tagged) Fail("is no segment of a split capture (it has no frame range in its header)");
    if (!planar420 || width != tag.width || height != tag.height ||
        numerator != tag.rateNumerator || denominator != tag.rateDenominator) {
        Fail("is damaged: its header does not match its frame range");
    }
}

std::size_t Y4mSegment::FrameBytes() const {
    return static_cast<std::size_t>(tag.width) * tag.height * 3 / 2;
}

bool Y4mSegment::ReadFrame(std::uint8_t* planes) {
    std::string marker;
    if (!std::getline(input, marker)) {
        if (read != tag.frames.Count()) {
            Fail("ends after " + std::to_string(read) + " of its " +
                 std::to_string(tag.frames.Count()) + " frames");
        }
        return false;
    }
    if (marker.compare(0, 5, "FRAME") != 0) Fail("is damaged after frame " + std::to_string(read));
    if (read == tag.frames.Count()) Fail("holds more frames than its frame range");
    input.read(reinterpret_cast<char*>(planes), static_cast<std::streamsize>(FrameBytes()));
    if (!input) {
        Fail("ends inside frame " + std::to_string(tag.frames.first + read));
    }
    ++read;
    return true;
}

void Y4mSegment::Fail(const std::string& reason) const {
    throw Ombrel::Exception("Segment %s %s", path.c_str(), reason.c_str());
}
