#pragma once

#include <cstdint>
#include <string>

#include "programs/capture/frame_range.h"

// What a segment of a split capture says about itself, so that segments
// rendered apart can be checked and joined: which frames it holds, of how
// many in the whole video, and the settings that must match between them.
// Stored in the file as one line of text without spaces:
// "frames=0-99,total=400,rate=60/1,size=320x240,crf=18,preset=ultrafast".
struct SegmentTag {
    FrameRange frames;
    std::int64_t total = 0;
    int rateNumerator = 0;
    int rateDenominator = 1;
    int width = 0;
    int height = 0;
    int crf = 0;
    std::string preset;

    std::string Text() const;
    // The settings a joined video takes from its segments, for messages:
    // "320x240 at 60/1 fps, crf 18, ultrafast".
    std::string Settings() const;
};

// Reads the text Text() makes; false when it is anything else.
bool ReadSegmentTag(const std::string& text, SegmentTag* tag);
