#include "programs/live/waveform_peaks.h"

#include <algorithm>
#include <memory>

#include "audio/audio.h"
#include "programs/live/json_writer.h"

namespace Ombrel::Live {

namespace {

// The rate the music is decoded at, the session's own.
const int PeakFrequency = 44100;
const int DecodeFrames = 4096;

}  // namespace

void PeakGatherer::Add(const float* stereo, int count) {
    for (int i = 0; i < count; ++i, ++frames) {
        float mono = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
        mono = std::min(1.0f, std::max(-1.0f, mono));
        if (frames % BlockFrames == 0) {
            blocks.push_back(WaveformPeaks::Column{mono, mono});
            continue;
        }
        WaveformPeaks::Column& block = blocks.back();
        block.low = std::min(block.low, mono);
        block.high = std::max(block.high, mono);
    }
}

WaveformPeaks PeakGatherer::Columns(int count) const {
    WaveformPeaks peaks;
    peaks.length = static_cast<double>(frames) / frequency;
    if (blocks.empty() || count < 1) return peaks;
    long long total = static_cast<long long>(blocks.size());
    for (long long column = 0; column < count; ++column) {
        long long first = column * total / count;
        long long last = std::max(first + 1, (column + 1) * total / count);
        WaveformPeaks::Column peak = blocks[first];
        for (long long block = first + 1; block < last; ++block) {
            peak.low = std::min(peak.low, blocks[block].low);
            peak.high = std::max(peak.high, blocks[block].high);
        }
        peaks.columns.push_back(peak);
    }
    return peaks;
}

WaveformPeaks ComputeWaveformPeaks(const std::string& musicFile, int count,
                                   const std::atomic<bool>& stop) {
    std::unique_ptr<Ombrel::Audio::MusicStream> music =
        Ombrel::Audio::OpenMusicFile(musicFile, PeakFrequency);
    if (!music) return WaveformPeaks();
    PeakGatherer gatherer(PeakFrequency);
    std::vector<float> mix(2 * DecodeFrames);
    music->Play(true);
    while (!stop) {
        std::fill(mix.begin(), mix.end(), 0.0f);
        int frames = music->MixInto(mix.data(), DecodeFrames);
        if (frames == 0) return gatherer.Columns(count);
        gatherer.Add(mix.data(), frames);
    }
    return WaveformPeaks();
}

std::string WaveformJson(const WaveformPeaks& peaks) {
    JsonWriter json;
    json.Open('{').Key("length").Number(peaks.length, 3).Key("peaks").Open('[');
    for (const WaveformPeaks::Column& column : peaks.columns)
        json.Open('[').Number(column.low, 4).Number(column.high, 4).Close();
    return json.Close().Close().Text();
}

WaveformTask::WaveformTask(const std::string& musicFile, int count) {
    thread = std::thread([this, musicFile, count] {
        WaveformPeaks peaks = ComputeWaveformPeaks(musicFile, count, stop);
        if (stop) return;
        std::string written = WaveformJson(peaks);
        std::lock_guard<std::mutex> guard(lock);
        json = written;
    });
}

WaveformTask::~WaveformTask() {
    stop = true;
    Wait();
}

void WaveformTask::Wait() {
    if (thread.joinable()) thread.join();
}

std::string WaveformTask::Json() const {
    std::lock_guard<std::mutex> guard(lock);
    return json;
}

}  // namespace Ombrel::Live
