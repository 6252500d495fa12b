#include "host/audio/resampler.h"

Resampler::Resampler(int fromRate, int toRate) : step_(static_cast<double>(fromRate) / toRate) {
    Reset();
}

void Resampler::Reset() {
    // Two frames must be read before the first output, which is then exactly
    // the first input frame.
    phase_ = 2.0;
    previous_[0] = previous_[1] = 0.0f;
    next_[0] = next_[1] = 0.0f;
}

int Resampler::Convert(const float* in, int inFrames, int* used, float* out, int outFrames) {
    int taken = 0;
    int written = 0;
    while (written < outFrames) {
        while (phase_ >= 1.0) {
            if (taken == inFrames) {
                *used = taken;
                return written;
            }
            previous_[0] = next_[0];
            previous_[1] = next_[1];
            next_[0] = in[2 * taken];
            next_[1] = in[2 * taken + 1];
            ++taken;
            phase_ -= 1.0;
        }
        float t = static_cast<float>(phase_);
        out[2 * written] = previous_[0] + (next_[0] - previous_[0]) * t;
        out[2 * written + 1] = previous_[1] + (next_[1] - previous_[1]) * t;
        ++written;
        phase_ += step_;
    }
    *used = taken;
    return written;
}
