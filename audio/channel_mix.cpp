#include "audio/channel_mix.h"

namespace {

struct Weights {
    float left;
    float right;
};

const float HalfPower = 0.70710678f;

const Weights FrontLeft = {1.0f, 0.0f};
const Weights FrontRight = {0.0f, 1.0f};
const Weights Centre = {HalfPower, HalfPower};
const Weights RearLeft = {HalfPower, 0.0f};
const Weights RearRight = {0.0f, HalfPower};
const Weights RearCentre = {0.5f, 0.5f};
const Weights LowFrequency = {0.0f, 0.0f};

// The place of each channel for three to eight channels, as Vorbis orders them.
const Weights Three[] = {FrontLeft, Centre, FrontRight};
const Weights Four[] = {FrontLeft, FrontRight, RearLeft, RearRight};
const Weights Five[] = {FrontLeft, Centre, FrontRight, RearLeft, RearRight};
const Weights Six[] = {FrontLeft, Centre, FrontRight, RearLeft, RearRight, LowFrequency};
const Weights Seven[] = {FrontLeft, Centre,     FrontRight,  RearLeft,
                         RearRight, RearCentre, LowFrequency};
const Weights Eight[] = {FrontLeft, Centre,   FrontRight, RearLeft,
                         RearRight, RearLeft, RearRight,  LowFrequency};
const Weights* const Layouts[9] = {nullptr, nullptr, nullptr, Three, Four, Five, Six, Seven, Eight};

}  // namespace

void MixToStereo(float* const* channels, int count, int frames, float* stereo) {
    if (count == 1 || count > 8) {
        // Mono, or a layout we do not know: the first channel on both sides,
        // or the first two as left and right.
        const float* left = channels[0];
        const float* right = count == 1 ? channels[0] : channels[1];
        for (int i = 0; i < frames; ++i) {
            stereo[2 * i] = left[i];
            stereo[2 * i + 1] = right[i];
        }
        return;
    }
    if (count == 2) {
        for (int i = 0; i < frames; ++i) {
            stereo[2 * i] = channels[0][i];
            stereo[2 * i + 1] = channels[1][i];
        }
        return;
    }
    const Weights* layout = Layouts[count];
    float total = 0.0f;
    for (int c = 0; c < count; ++c) {
        total += layout[c].left;
    }
    for (int i = 0; i < frames; ++i) {
        float left = 0.0f;
        float right = 0.0f;
        for (int c = 0; c < count; ++c) {
            left += channels[c][i] * layout[c].left;
            right += channels[c][i] * layout[c].right;
        }
        stereo[2 * i] = left / total;
        stereo[2 * i + 1] = right / total;
    }
}
