#include "host/audio/channel_mix.h"

namespace {

struct Weights {
    float left;
    float right;
};

const float kHalfPower = 0.70710678f;

const Weights kFrontLeft = {1.0f, 0.0f};
const Weights kFrontRight = {0.0f, 1.0f};
const Weights kCentre = {kHalfPower, kHalfPower};
const Weights kRearLeft = {kHalfPower, 0.0f};
const Weights kRearRight = {0.0f, kHalfPower};
const Weights kRearCentre = {0.5f, 0.5f};
const Weights kLowFrequency = {0.0f, 0.0f};

// The place of each channel for three to eight channels, as Vorbis orders them.
const Weights kThree[] = {kFrontLeft, kCentre, kFrontRight};
const Weights kFour[] = {kFrontLeft, kFrontRight, kRearLeft, kRearRight};
const Weights kFive[] = {kFrontLeft, kCentre, kFrontRight, kRearLeft, kRearRight};
const Weights kSix[] = {kFrontLeft, kCentre, kFrontRight, kRearLeft, kRearRight, kLowFrequency};
const Weights kSeven[] = {kFrontLeft, kCentre,     kFrontRight,  kRearLeft,
                          kRearRight, kRearCentre, kLowFrequency};
const Weights kEight[] = {kFrontLeft, kCentre,   kFrontRight, kRearLeft,
                          kRearRight, kRearLeft, kRearRight,  kLowFrequency};
const Weights* const kLayouts[9] = {nullptr, nullptr, nullptr, kThree, kFour,
                                    kFive,   kSix,    kSeven,  kEight};

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
    const Weights* layout = kLayouts[count];
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
