#include "signal.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>());
}

Sound ReadRawCapture(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    Sound sound;
    std::size_t count = bytes.size() / 4 * 2;
    sound.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto value = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        sound.samples[i] = value / 32768.0f;
    }
    return sound;
}

Span LoudSpan(const Sound& sound, float threshold) {
    Span span;
    bool found = false;
    for (std::size_t frame = 0; frame < sound.Frames(); ++frame) {
        if (std::fabs(sound.samples[2 * frame]) > threshold ||
            std::fabs(sound.samples[2 * frame + 1]) > threshold) {
            if (!found) {
                span.begin = frame;
                found = true;
            }
            span.end = frame + 1;
        }
    }
    return span;
}

double ToneFrequency(const Sound& sound, int channel, std::size_t begin, std::size_t end,
                     int rate) {
    std::vector<double> periods;
    std::size_t previous = 0;
    for (std::size_t frame = begin + 1; frame < end; ++frame) {
        if (sound.samples[2 * (frame - 1) + channel] < 0.0f &&
            sound.samples[2 * frame + channel] >= 0.0f) {
            if (previous != 0) periods.push_back(static_cast<double>(frame - previous));
            previous = frame;
        }
    }
    if (periods.empty()) {
        return 0.0;
    }
    // An output device under load may leave a gap or drop a buffer, which
    // breaks the one period it falls in: periods far from the median are left
    // out, so that only the pitch itself is measured.
    std::vector<double> sorted = periods;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    double median = sorted[sorted.size() / 2];
    double frames = 0.0;
    int counted = 0;
    for (double period : periods) {
        if (period > 0.8 * median && period < 1.2 * median) {
            frames += period;
            ++counted;
        }
    }
    return counted * static_cast<double>(rate) / frames;
}

double RmsLevel(const Sound& sound, int channel, std::size_t begin, std::size_t end) {
    if (end <= begin) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t frame = begin; frame < end; ++frame) {
        double value = sound.samples[2 * frame + channel];
        sum += value * value;
    }
    return std::sqrt(sum / static_cast<double>(end - begin));
}
