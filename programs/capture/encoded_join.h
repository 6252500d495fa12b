#pragma once

#include <string>
#include <vector>

#include "programs/capture/frame_clock.h"
#include "programs/capture/music_track.h"
#include "programs/capture/progress_line.h"
#include "programs/capture/segment_check.h"

// Segments encoded as H.264 in Matroska, joined into an MP4 or Matroska file
// without encoding the picture again (encoded_join_ffmpeg.cpp; a build
// without FFmpeg refuses them, encoded_join_win32.cpp).

// The segment's tag, read from its file; throws naming the file when it is
// no such segment.
SegmentTag ReadEncodedSegmentTag(const std::string& path);

// Copies the segments' pictures, in order, into `output` with the music
// encoded once for the whole length, frame by frame as a whole capture
// encodes it. Checks first that each segment holds exactly its frames and
// starts on a keyframe, and that all were encoded alike. Returns false,
// writing nothing, when interrupted.
bool JoinEncodedSegments(const std::vector<SegmentFile>& ordered, const std::string& output,
                         MusicTrack& music, const FrameClock& clock, ProgressLine& progress);
