#include "foundation/exception.h"
#include "programs/capture/encoded_join.h"

// No FFmpeg for this build: its segments are Y4M.
SegmentTag ReadEncodedSegmentTag(const std::string& path) {
    throw Ombrel::Exception("Cannot join %s: this build joins .y4m segments only", path.c_str());
}

bool JoinEncodedSegments(const std::vector<SegmentFile>& ordered, const std::string&, MusicTrack&,
                         const FrameClock&, ProgressLine&) {
    throw Ombrel::Exception("Cannot join %s: this build joins .y4m segments only",
                            ordered.front().path.c_str());
}
