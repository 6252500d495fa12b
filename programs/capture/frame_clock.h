#pragma once

#include <cstdint>

// Time of a capture, counted in frames at a fixed rate of
// numerator / denominator frames per second; no wall clock. Frame n is drawn
// at n x denominator / numerator seconds, and its sound is the samples from
// FirstSample(n) up to FirstSample(n + 1), so that no sample is lost or
// repeated and the music never drifts from the picture.
class FrameClock {
public:
    static const int SampleRate = 44100;

    FrameClock(int rateNumerator, int rateDenominator);

    // The demo time of frame n, in seconds.
    float Seconds(std::int64_t frame) const;
    // The first sample of frame n: floor(n x 44100 x denominator / numerator).
    std::int64_t FirstSample(std::int64_t frame) const;
    // The number of samples of frame n: FirstSample(n + 1) - FirstSample(n).
    int Samples(std::int64_t frame) const;
    // The frames that cover `seconds`, rounded up.
    std::int64_t FramesFor(double seconds) const;
    // The frames that cover `samples` samples, rounded up.
    std::int64_t FramesForSamples(std::int64_t samples) const;
    // The most samples one frame has.
    int MostSamplesPerFrame() const;

private:
    std::int64_t numerator;
    std::int64_t denominator;
};
