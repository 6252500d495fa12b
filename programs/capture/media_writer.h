#pragma once

#include <cstdint>
#include <string>

// What a capture writes: frames of `width` x `height` at `rateNumerator` /
// `rateDenominator` per second, and stereo sound at 44100 Hz.
struct MediaFormat {
    int width;
    int height;
    int rateNumerator;
    int rateDenominator;
    int crf;             // H.264 quality, where the writer encodes
    const char* preset;  // and x264's speed against size
    // A segment of a split capture: the picture only, its first frame
    // numbered `firstFrame` of the whole video, and this tag (SegmentTag's
    // text) stored in the file. Empty: a whole video with its sound.
    std::string segmentTag = {};
    std::int64_t firstFrame = 0;
};

// A video file being written. Nothing appears under the output's name until
// Finish: the data goes to temporary files beside it, which are removed when
// the writer is destroyed unfinished. Every failure throws
// Ombrel::Exception naming the file.
class MediaWriter {
public:
    virtual ~MediaWriter() = default;

    // One frame: width x height BGRA pixels in rows from the bottom up.
    virtual void WriteVideo(const std::uint8_t* bgra) = 0;
    // `samples` interleaved stereo samples, in [-1, 1].
    virtual void WriteAudio(const float* stereo, int samples) = 0;
    // Completes the file and gives it its name, replacing any file there.
    virtual void Finish() = 0;
};
