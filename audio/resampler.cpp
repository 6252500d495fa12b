#include "audio/resampler.h"

Resampler::Resampler(int fromRate, int toRate) : step(static_cast<double>(fromRate) / toRate) {
    Reset();
}

void Resampler::Reset() {
    // Two frames must be read before the first output, which is then exactly
    // the first input frame.
    phase = 2.0;
    previous[0] = previous[1] = 0.0f;
    next[0] = next[1] = 0.0f;
}

int Resampler::Convert(const float* in, int inFrames, int* used, float* out, int outFrames) {
    int taken = 0;
    int written = 0;
    while (written < outFrames) {
        while (phase >= 1.0) {
            if (taken == inFrames) {
                *used = taken;
                return written;
            }
            previous[0] = next[0];
            previous[1] = next[1];
            next[0] = in[2 * taken];
            next[1] = in[2 * taken + 1];
            ++taken;
            phase -= 1.0;
        }
        float t = static_cast<float>(phase);
        out[2 * written] = previous[0] + (next[0] - previous[0]) * t;
        out[2 * written + 1] = previous[1] + (next[1] - previous[1]) * t;
        ++written;
        phase += step;
    }
    *used = taken;
    return written;
}
