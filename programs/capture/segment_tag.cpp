#include "programs/capture/segment_tag.h"

#include <cstdio>
#include <cstring>

#include "programs/capture/capture_options.h"

std::string SegmentTag::Text() const {
    char text[256];
    std::snprintf(text, sizeof text, "frames=%s,total=%lld,rate=%d/%d,size=%dx%d,crf=%d,preset=%s",
                  frames.Text().c_str(), static_cast<long long>(total), rateNumerator,
                  rateDenominator, width, height, crf, preset.c_str());
    return text;
}

std::string SegmentTag::Settings() const {
    char text[160];
    std::snprintf(text, sizeof text, "%dx%d at %d/%d fps, crf %d, %s", width, height, rateNumerator,
                  rateDenominator, crf, preset.c_str());
    return text;
}

bool ReadSegmentTag(const std::string& text, SegmentTag* tag) {
    SegmentTag read;
    long long total = 0;
    char frames[64] = {0};
    char preset[32] = {0};
    int used = 0;
    int fields = std::sscanf(text.c_str(),
                             "frames=%63[0-9-],total=%lld,rate=%d/%d,size=%dx%d,crf=%d,"
                             "preset=%31[a-z]%n",
                             frames, &total, &read.rateNumerator, &read.rateDenominator,
                             &read.width, &read.height, &read.crf, preset, &used);
    if (fields != 8 || static_cast<std::size_t>(used) != text.size()) return false;
    // Only what a capture can have made: a segment's size sets how much a
    // join reads and holds for each frame.
    if (!ReadFrameRange(frames, &read.frames) || total < 1 || read.frames.last >= total ||
        read.rateNumerator < 1 || read.rateDenominator < 1 ||
        read.rateNumerator > LargestRate * static_cast<long long>(read.rateDenominator) ||
        read.width < 1 || read.height < 1 || read.width > LargestSide ||
        read.height > LargestSide) {
        return false;
    }
    read.total = total;
    read.preset = preset;
    *tag = read;
    return true;
}
