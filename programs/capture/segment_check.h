#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "programs/capture/segment_tag.h"

// A segment file as its tag describes it.
struct SegmentFile {
    std::string path;
    SegmentTag tag;
};

// Checks that the segments make one whole video: the same settings and
// length, and every frame in exactly one of them. Returns the segments'
// indices in the order of their frames. Throws Ombrel::Exception naming the
// segments and frames at fault: a missing range, an overlap, a segment of
// another size, rate or length.
std::vector<std::size_t> OrderSegments(const std::vector<SegmentFile>& segments);
