#pragma once

#include <vector>

#include "programs/capture/media_writer.h"

// Counts the frames that reach it and the samples of the music each carries
// (handed on in order from the music's start, so the counts give each
// frame's offset in the music).
class CountingWriter final : public MediaWriter {
public:
    void WriteVideo(const std::uint8_t*) override { ++frames; }
    void WriteAudio(const float*, int samples) override { sound.push_back(samples); }
    void Finish() override {}
    int frames = 0;
    std::vector<int> sound;
};
