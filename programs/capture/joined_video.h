#pragma once

#include <cstdint>
#include <vector>

#include "programs/capture/frame_clock.h"
#include "programs/capture/media_writer.h"
#include "programs/capture/music_track.h"
#include "programs/capture/progress_line.h"
#include "programs/capture/segment_check.h"

// What a video joined from segments has whatever its container
// (join_run.cpp, encoded_join_ffmpeg.cpp).

// The format the segments share, from the first of them in order; its preset
// points into that segment's tag.
MediaFormat JoinedFormat(const std::vector<SegmentFile>& ordered);

// The music of a joined video, encoded once for its whole length: frame n
// takes the FrameClock's samples of frame n, in order from the music's start,
// as in a whole capture. Counts the frames on the progress line.
class JoinedSound {
public:
    JoinedSound(MusicTrack& music, const FrameClock& clock, ProgressLine& progress);

    // After the picture of the next frame: its music to `writer`.
    void WriteFrame(MediaWriter& writer);
    // The frames written so far.
    std::int64_t Frames() const { return frames; }

private:
    MusicTrack& track;
    const FrameClock& frameClock;
    ProgressLine& line;
    std::vector<float> sound;
    std::int64_t frames = 0;
};
