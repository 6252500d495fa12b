#pragma once

// Converts interleaved stereo frames from one sample rate to another by linear
// interpolation, so that a stream at any rate plays at the right speed and
// pitch. Keeps its place between calls: input may arrive in pieces of any size.
class Resampler {
public:
    Resampler(int fromRate, int toRate);

    // Writes up to `outFrames` frames to `out` from the `inFrames` frames at
    // `in`; returns the frames written and sets `used` to the input frames
    // consumed. Stops early only when it needs more input.
    int Convert(const float* in, int inFrames, int* used, float* out, int outFrames);

    // Forgets all input, as before the first call.
    void Reset();

private:
    double step;   // input frames per output frame
    double phase;  // place of the next output frame after `previous`
    float previous[2];
    float next[2];
};
