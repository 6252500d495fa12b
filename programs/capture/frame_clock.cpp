#include "programs/capture/frame_clock.h"

#include <cmath>

FrameClock::FrameClock(int rateNumerator, int rateDenominator)
    : numerator(rateNumerator), denominator(rateDenominator) {}

float FrameClock::Seconds(std::int64_t frame) const {
    return static_cast<float>(static_cast<double>(frame) * static_cast<double>(denominator) /
                              static_cast<double>(numerator));
}

std::int64_t FrameClock::FirstSample(std::int64_t frame) const {
    return frame * SampleRate * denominator / numerator;
}

int FrameClock::Samples(std::int64_t frame) const {
    return static_cast<int>(FirstSample(frame + 1) - FirstSample(frame));
}

std::int64_t FrameClock::FramesFor(double seconds) const {
    // A length given as exactly N frames' worth stays N frames despite the
    // decimal's rounding.
    double frames = seconds * static_cast<double>(numerator) / static_cast<double>(denominator);
    return static_cast<std::int64_t>(std::ceil(frames - 1e-6));
}

std::int64_t FrameClock::FramesForSamples(std::int64_t samples) const {
    std::int64_t perSecond = SampleRate * denominator;
    return (samples * numerator + perSecond - 1) / perSecond;
}

int FrameClock::MostSamplesPerFrame() const {
    return static_cast<int>((SampleRate * denominator + numerator - 1) / numerator);
}
