#pragma once

#include <cstdint>

#include "programs/capture/capture_options.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/frame_range.h"

// The frames a capture renders: the whole video's length, from --seconds or
// else from the music's, and the range of it that this run renders (all of
// it, or the frames of a segment).
struct CapturePlan {
    std::int64_t total = 0;
    FrameRange frames;
};

// Throws Ombrel::Exception when there is nothing to render: no length, or
// a range beyond the end of the video. `musicSamples` counts only when
// the options give no --seconds; `musicName` names the music in messages.
CapturePlan PlanCapture(const CaptureOptions& options, const FrameClock& clock,
                        std::int64_t musicSamples, const char* musicName);
