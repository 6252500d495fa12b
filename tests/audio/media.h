#pragma once

#include <string>

// The generated test files (media/make-media), copied beside the tests.
struct ToneFile {
    const char* name;
    int rate;
    int channels;
    double frequency;
};

const ToneFile ToneFiles[] = {
    {"tone-440hz-44100-stereo.ogg", 44100, 2, 440.0},
    {"tone-1000hz-22050-mono.ogg", 22050, 1, 1000.0},
    {"tone-660hz-48000-stereo.ogg", 48000, 2, 660.0},
};
const char ShortFile[] = "short-0.3s-44100-stereo.ogg";
const double ShortSeconds = 0.3;
const char NoiseFile[] = "noise-0.5s-44100-stereo.ogg";
const char LongFile[] = "tone-440hz-30s-22050-mono.ogg";
const double LongSeconds = 30.0;
// Every tone peaks at half scale: a root mean square level of 0.5 / sqrt(2).
const double ToneLevel = 0.35355;

inline std::string MediaPath(const std::string& name) {
    return "audio-media/" + name;
}
