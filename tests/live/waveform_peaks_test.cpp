#include "programs/live/waveform_peaks.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Ombrel::Live;

namespace {

// Peaks whose columns hold a click are loud; the rest are near zero. Each
// click lies well inside its column.
void ExpectClicksIn(const WaveformPeaks& peaks, const std::vector<double>& clicks, double quiet) {
    std::size_t count = peaks.columns.size();
    for (std::size_t i = 0; i < count; ++i) {
        bool click = false;
        for (double at : clicks)
            click = click || static_cast<std::size_t>(at / peaks.length * count) == i;
        const WaveformPeaks::Column& peak = peaks.columns[i];
        if (click) {
            EXPECT_GT(peak.high, 0.3f) << "column " << i;
        } else {
            EXPECT_LT(std::max(peak.high, -peak.low), quiet) << "column " << i;
        }
        EXPECT_LE(peak.low, peak.high);
    }
}

TEST(WaveformPeaks, AClickEveryHalfSecondShowsInItsColumnsAlone) {
    const int ClickRate = 8000;
    PeakGatherer gatherer(ClickRate);
    std::vector<float> stereo(2 * 4 * ClickRate, 0.0f);
    for (int frame = 0; frame < 4 * ClickRate; ++frame) {
        bool click = (frame + ClickRate / 4) % (ClickRate / 2) < 2;
        // Left and right mixed to mono: a click on both sides, a hum on one.
        stereo[2 * frame] = click ? 0.9f : 0.02f;
        stereo[2 * frame + 1] = click ? 0.9f : -0.02f;
    }
    gatherer.Add(stereo.data(), 1500);
    gatherer.Add(stereo.data() + 2 * 1500, 4 * ClickRate - 1500);
    WaveformPeaks peaks = gatherer.Columns(40);
    EXPECT_DOUBLE_EQ(peaks.length, 4.0);
    ASSERT_EQ(peaks.columns.size(), 40u);
    ExpectClicksIn(peaks, {0.25, 0.75, 1.25, 1.75, 2.25, 2.75, 3.25, 3.75}, 0.01);
    EXPECT_EQ(WaveformJson(gatherer.Columns(2)), "{\"length\":4,\"peaks\":[[0,0.9],[0,0.9]]}");
}

TEST(WaveformPeaks, TheMusicFileIsDecodedWholeByTheMusicLayer) {
    // The tests' music: six seconds of a quiet tone with a click at each whole
    // second from 1 to 5.
    std::atomic<bool> stop{false};
    WaveformPeaks peaks = ComputeWaveformPeaks(LIVE_TRACK, 50, stop);
    EXPECT_NEAR(peaks.length, 6.0, 0.001);
    ASSERT_EQ(peaks.columns.size(), 50u);
    ExpectClicksIn(peaks, {1.0, 2.0, 3.0, 4.0, 5.0}, 0.1);
    EXPECT_TRUE(ComputeWaveformPeaks("no-such-music.ogg", 60, stop).columns.empty());

    WaveformTask task(LIVE_TRACK, 10);
    task.Wait();
    std::string json = task.Json();
    EXPECT_EQ(json.rfind("{\"length\":6,\"peaks\":[[", 0), 0u) << json;
}

}  // namespace
