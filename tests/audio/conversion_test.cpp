#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/channel_mix.h"
#include "audio/resampler.h"

namespace {

// Runs `input` (stereo frames) through `resampler` in pieces of `piece`
// input frames, collecting all the output.
std::vector<float> ConvertInPieces(Resampler& resampler, const std::vector<float>& input,
                                   int piece) {
    std::vector<float> output;
    std::vector<float> buffer(2 * 64);
    int frames = static_cast<int>(input.size() / 2);
    for (int at = 0; at < frames; at += piece) {
        int count = std::min(piece, frames - at);
        int offset = 0;
        while (offset < count) {
            int used = 0;
            int made = resampler.Convert(input.data() + 2 * (at + offset), count - offset, &used,
                                         buffer.data(), 64);
            output.insert(output.end(), buffer.begin(), buffer.begin() + 2 * made);
            offset += used;
            if (made == 0 && used == 0) {
                break;
            }
        }
    }
    return output;
}

std::vector<float> Ramp(int frames) {
    std::vector<float> ramp;
    for (int i = 0; i < frames; ++i) {
        ramp.push_back(static_cast<float>(i));
        ramp.push_back(static_cast<float>(-i));
    }
    return ramp;
}

}  // namespace

TEST(Resampling, SameRateGivesTheInputBackAndDoubleRateInterpolates) {
    Resampler same(44100, 44100);
    std::vector<float> ramp = Ramp(1000);
    std::vector<float> out = ConvertInPieces(same, ramp, 1000);
    ASSERT_GE(out.size(), ramp.size() - 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_EQ(ramp[i], out[i]) << "sample " << i;
    }

    Resampler doubled(22050, 44100);
    out = ConvertInPieces(doubled, ramp, 1000);
    EXPECT_NEAR(2000.0, out.size() / 2.0, 2.0);
    for (std::size_t frame = 0; frame < out.size() / 2; ++frame) {
        ASSERT_FLOAT_EQ(frame / 2.0f, out[2 * frame]) << "frame " << frame;
        ASSERT_FLOAT_EQ(-(frame / 2.0f), out[2 * frame + 1]) << "frame " << frame;
    }
}

TEST(Resampling, OutputDoesNotDependOnHowTheInputIsCut) {
    std::vector<float> ramp = Ramp(5000);
    for (int from : {22050, 48000, 11025}) {
        Resampler whole(from, 44100);
        std::vector<float> expected = ConvertInPieces(whole, ramp, 5000);
        // The last input frame has nothing after it to interpolate towards.
        EXPECT_NEAR(5000.0 * 44100 / from, expected.size() / 2.0, 44100.0 / from + 1)
            << "from " << from;
        for (int piece : {1, 7, 333}) {
            Resampler pieces(from, 44100);
            EXPECT_EQ(expected, ConvertInPieces(pieces, ramp, piece))
                << "from " << from << " Hz in pieces of " << piece;
        }
        whole.Reset();
        EXPECT_EQ(expected, ConvertInPieces(whole, ramp, 5000)) << "after Reset, from " << from;
    }
}

TEST(ChannelMixing, MonoGoesToBothSidesAndSurroundFoldsIn) {
    float mono[] = {0.5f, -0.25f};
    float* monoChannels[] = {mono};
    float stereo[4];
    MixToStereo(monoChannels, 1, 2, stereo);
    EXPECT_EQ((std::vector<float>{0.5f, 0.5f, -0.25f, -0.25f}),
              std::vector<float>(stereo, stereo + 4));

    // 5.1 in Vorbis order: front left, centre, front right, rear left, rear
    // right, low frequency. Full scale everywhere must not pass full scale.
    float full[] = {1.0f};
    float lfeOnly[] = {1.0f};
    float silent[] = {0.0f};
    float* everywhere[] = {full, full, full, full, full, full};
    MixToStereo(everywhere, 6, 1, stereo);
    EXPECT_NEAR(1.0f, stereo[0], 1e-5f);
    EXPECT_NEAR(1.0f, stereo[1], 1e-5f);
    float* onlyLfe[] = {silent, silent, silent, silent, silent, lfeOnly};
    MixToStereo(onlyLfe, 6, 1, stereo);
    EXPECT_EQ(0.0f, stereo[0]);
    EXPECT_EQ(0.0f, stereo[1]);
    float* onlyLeft[] = {full, silent, silent, silent, silent, silent};
    MixToStereo(onlyLeft, 6, 1, stereo);
    EXPECT_GT(stereo[0], 0.3f);
    EXPECT_EQ(0.0f, stereo[1]) << "front left leaks to the right";
}

TEST(ChannelMixing, EachOfOneToEightChannelsSoundsWhereVorbisPlacesIt) {
    // Where each channel sounds alone, in Vorbis order: L on the left only, R
    // on the right only, C on both sides alike, - nowhere (low frequency).
    const char* const places[] = {"C",     "LR",     "LCR",     "LRLR",
                                  "LCRLR", "LCRLR-", "LCRLRC-", "LCRLRLR-"};
    float silent[] = {0.0f};
    float full[] = {1.0f};
    for (int count = 1; count <= 8; ++count) {
        std::string heard;
        float* channels[8];
        float stereo[2];
        for (int sounding = 0; sounding < count; ++sounding) {
            for (int c = 0; c < count; ++c) channels[c] = c == sounding ? full : silent;
            MixToStereo(channels, count, 1, stereo);
            float left = stereo[0], right = stereo[1];
            heard += left > 0 && right == 0      ? 'L'
                     : right > 0 && left == 0    ? 'R'
                     : left > 0 && left == right ? 'C'
                     : left == 0 && right == 0   ? '-'
                                                 : '?';
        }
        EXPECT_EQ(places[count - 1], heard) << count << " channels";

        // Every channel at full scale reaches full scale on both sides.
        for (int c = 0; c < count; ++c) channels[c] = full;
        MixToStereo(channels, count, 1, stereo);
        EXPECT_NEAR(1.0f, stereo[0], 1e-5f) << count << " channels";
        EXPECT_NEAR(1.0f, stereo[1], 1e-5f) << count << " channels";
    }
}
