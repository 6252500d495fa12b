#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Measures of interleaved stereo sound, for checking what the music layer
// plays. Samples are floats at full scale 1.0.
struct Sound {
    std::vector<float> samples;  // interleaved left, right
    std::size_t Frames() const { return samples.size() / 2; }
};

// The bytes of a file; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
// A file of raw 16-bit little-endian stereo samples.
Sound ReadRawCapture(const std::string& path);

// The first frame and one past the last frame louder than `threshold` on
// either side; both are 0 when the sound is silent throughout.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t Frames() const { return end - begin; }
};
Span LoudSpan(const Sound& sound, float threshold = 0.01f);

// The frequency of the tone on `channel` over frames [begin, end), from the
// rising zero crossings, at `rate` frames per second. A gap changes it only
// slightly: ToneBreaks is the check for gaps.
double ToneFrequency(const Sound& sound, int channel, std::size_t begin, std::size_t end, int rate);
// Where the continuous sine tone on `channel` over frames [begin, end) breaks:
// the first frame of each run of silence longer than a millisecond, each jump
// in phase or level (a missing or repeated stretch, a dropped buffer), at the
// sample level; breaks closer than `merge` frames count once. Empty for a
// tone without a break.
std::vector<std::size_t> ToneBreaks(const Sound& sound, int channel, std::size_t begin,
                                    std::size_t end, int rate, std::size_t merge = 1024);
// The root mean square level on `channel` over frames [begin, end).
double RmsLevel(const Sound& sound, int channel, std::size_t begin, std::size_t end);
