// A segment's tag as a file someone else rendered may carry it: what reads
// as a tag must say the same when written again, and hold a frame range
// inside the whole video, a positive rate and a size a capture can make.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "programs/capture/segment_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    SegmentTag tag;
    if (!ReadSegmentTag(text, &tag)) return 0;
    SegmentTag again;
    if (!ReadSegmentTag(tag.Text(), &again) || again.Text() != tag.Text()) abort();
    if (tag.frames.first < 0 || tag.frames.last < tag.frames.first ||
        tag.frames.last >= tag.total || tag.rateNumerator <= 0 || tag.rateDenominator <= 0 ||
        tag.width <= 0 || tag.height <= 0 || tag.width > 8192 || tag.height > 8192)
        abort();
    tag.Settings();
    return 0;
}
