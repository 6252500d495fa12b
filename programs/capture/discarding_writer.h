#pragma once

#include "programs/capture/media_writer.h"

// A writer that keeps nothing: with it a capture measures the drawing and
// the reading back of its frames alone (OMBREL_CAPTURE_OUTPUT=none).
class DiscardingWriter final : public MediaWriter {
public:
    void WriteVideo(const std::uint8_t*) override {}
    void WriteAudio(const float*, int) override {}
    void Finish() override {}
};
