#include "signal.h"

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
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t frame = begin + 1; frame < end; ++frame) {
        if (sound.samples[2 * (frame - 1) + channel] < 0.0f &&
            sound.samples[2 * frame + channel] >= 0.0f) {
            if (crossings == 0) {
                first = frame;
            }
            last = frame;
            ++crossings;
        }
    }
    if (crossings < 2) {
        return 0.0;
    }
    return (crossings - 1) * static_cast<double>(rate) / static_cast<double>(last - first);
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
