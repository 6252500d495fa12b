#pragma once

#include <cstdint>
#include <vector>

#include "programs/capture/encoding_queue.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/frame_sink.h"
#include "programs/capture/music_track.h"

// Each frame read back goes to be encoded with its own samples of the music:
// frame n takes the FrameClock's samples of frame n, in order from the
// music's start, so that no sample is lost or repeated. A segment takes the
// picture only: its music is encoded once, when the segments are joined.
class FrameAndSound final : public FrameSink {
public:
    // The frames come numbered from `firstFrame`; `music` null: no sound.
    FrameAndSound(EncodingQueue& encoder, MusicTrack* music, const FrameClock& frameClock,
                  std::int64_t firstFrame);

    void TakeFrame(const std::uint8_t* bgra) override;

    // The frames handed on so far.
    std::int64_t Written() const { return written; }
    // The number of the frame that comes next.
    std::int64_t NextFrame() const { return first + written; }

private:
    EncodingQueue& queue;
    MusicTrack* track;
    const FrameClock& clock;
    std::int64_t first;
    std::int64_t written;
    std::vector<float> sound;
};
