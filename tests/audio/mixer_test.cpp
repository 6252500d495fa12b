#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "audio/sample_format.h"
#include "media.h"
#include "signal.h"

namespace {

const int Frames = 4410;

// The first `Frames` frames of `copies` copies of a half-scale tone playing
// together, as the output device gets them.
std::vector<std::int16_t> MixOfTones(int copies) {
    Mixer mixer;
    std::vector<std::uint8_t> data = ReadBytes(MediaPath(ToneFiles[0].name));
    for (int i = 0; i < copies; ++i) {
        std::uint32_t handle = mixer.Add(MusicStream::Create(data, 44100));
        mixer.With(handle, [](MusicStream& stream) { stream.Play(true); });
    }
    std::vector<std::int16_t> samples(2 * Frames);
    mixer.Render(samples.data(), Frames);
    return samples;
}

}  // namespace

TEST(Mixing, StreamsPlayingTogetherAddUp) {
    std::vector<std::int16_t> one = MixOfTones(1), two = MixOfTones(2);
    int loudest = 0;
    for (std::size_t i = 0; i < one.size(); ++i) {
        ASSERT_NEAR(std::clamp(2 * one[i], -32768, 32767), two[i], 2) << "sample " << i;
        loudest = std::max(loudest, std::abs(static_cast<int>(two[i])));
    }
    EXPECT_GT(loudest, 30000) << "two half-scale tones make a full-scale one";
}

TEST(Mixing, ALoudMixClipsAtFullScaleInsteadOfWrappingAround) {
    std::vector<std::int16_t> one = MixOfTones(1), three = MixOfTones(3);
    int clipped = 0;
    for (std::size_t i = 0; i < one.size(); ++i) {
        if (std::abs(one[i]) < 100) continue;
        ASSERT_EQ(one[i] > 0, three[i] > 0) << "sample " << i << " wrapped around";
        if (three[i] == 32767 || three[i] == -32768) ++clipped;
    }
    EXPECT_GT(clipped, Frames / 4) << "three half-scale tones clip at full scale";
}

TEST(Mixing, OutOfRangeSamplesClipAndNotANumberIsSilence) {
    const float mix[] = {2.0f, -2.0f, 1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(), 0.5f};
    std::int16_t samples[7];
    ToSixteenBit(mix, samples, 7);
    const std::int16_t expected[] = {32767, -32768, 32767, -32768, 0, 32767, 16384};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(expected[i], samples[i]) << "mix value " << mix[i];
}
