#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Ombrel::Live {

// The music drawn as a waveform: for each of a number of columns spread over
// the whole track, the lowest and the highest sample in it, mixed to mono,
// from -1 to 1.
struct WaveformPeaks {
    struct Column {
        float low = 0.0f;
        float high = 0.0f;
    };
    double length = 0.0;  // seconds; 0 for no music
    std::vector<Column> columns;
};

// Gathers the peaks of music handed in as it is decoded, in blocks of a few
// frames, and spreads them over columns at the end, when the length is known.
class PeakGatherer {
public:
    explicit PeakGatherer(int rate) : frequency(rate) {}
    // Interleaved stereo frames, in order.
    void Add(const float* stereo, int frames);
    WaveformPeaks Columns(int count) const;

private:
    static const int BlockFrames = 32;
    int frequency;
    long long frames = 0;
    std::vector<WaveformPeaks::Column> blocks;
};

// The peaks of the Ogg Vorbis file in `count` columns, decoded by the music
// layer as it plays it. No columns when the file does not open; stops early,
// with no columns, once `stop` is set.
WaveformPeaks ComputeWaveformPeaks(const std::string& musicFile, int count,
                                   const std::atomic<bool>& stop);

// {"length":80.8,"peaks":[[-0.5,0.5],...]}
std::string WaveformJson(const WaveformPeaks& peaks);

// The peaks computed on a thread of their own, so that no frame waits for
// them; ended (and waited for) with the object.
class WaveformTask {
public:
    WaveformTask(const std::string& musicFile, int count);
    ~WaveformTask();
    WaveformTask(const WaveformTask&) = delete;
    WaveformTask& operator=(const WaveformTask&) = delete;

    // The peaks as WaveformJson writes them; empty until they are computed.
    std::string Json() const;
    // Waits until they are.
    void Wait();

private:
    std::atomic<bool> stop{false};
    mutable std::mutex lock;
    std::string json;
    std::thread thread;
};

}  // namespace Ombrel::Live
