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
    double frames = 0.0;
    for (double period : periods) {
        frames += period;
    }
    return static_cast<double>(periods.size()) * rate / frames;
}

std::vector<std::size_t> ToneBreaks(const Sound& sound, int channel, std::size_t begin,
                                    std::size_t end, int rate, std::size_t merge) {
    std::vector<std::size_t> breaks;
    if (end < begin + 3) {
        return breaks;
    }
    auto at = [&](std::size_t frame) { return sound.samples[2 * frame + channel]; };
    // A sine obeys x[n] = c x[n-1] - x[n-2] with c = 2 cos(step): c by least
    // squares, so that the check needs no frequency of its own.
    double across = 0.0, square = 0.0, power = 0.0;
    for (std::size_t frame = begin + 2; frame < end; ++frame) {
        across += at(frame - 1) * (at(frame) + at(frame - 2));
        square += at(frame - 1) * at(frame - 1);
        power += at(frame) * at(frame);
    }
    double c = square > 0.0 ? across / square : 0.0;
    double peak = std::sqrt(2.0 * power / static_cast<double>(end - begin - 2));
    std::size_t silentLimit = static_cast<std::size_t>(rate / 1000);
    std::size_t silent = 0;
    std::size_t lastHit = 0;
    for (std::size_t frame = begin + 2; frame < end; ++frame) {
        double residual = at(frame) - c * at(frame - 1) + at(frame - 2);
        silent = std::fabs(at(frame)) < 0.05 * peak ? silent + 1 : 0;
        if (std::fabs(residual) > 0.1 * peak || silent > silentLimit) {
            if (breaks.empty() || frame > lastHit + merge) breaks.push_back(frame);
            lastHit = frame;
        }
    }
    return breaks;
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
