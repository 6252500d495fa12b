#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "programs/capture/frame_sink.h"
#include "programs/capture/render_loop.h"

struct PixelBufferFunctions;

// The renderer of the current OpenGL context as its driver names it
// (GL_RENDERER): "llvmpipe (LLVM 15.0.6, 256 bits)" for Mesa's software one.
std::string CurrentRenderer();

// Reads each drawn frame back from the back buffer of the current OpenGL
// context, after the scene has drawn it and before it is presented. Where the
// context offers pixel buffer objects the read is asynchronous: a frame's
// pixels are handed on while the next frame is drawn. Otherwise each frame is
// read at once. Frames reach the sink in the order they were drawn.
class FrameReader final : public FrameReadback {
public:
    // Needs the demo's context current; throws when there is none.
    FrameReader(int frameWidth, int frameHeight);
    ~FrameReader();
    FrameReader(const FrameReader&) = delete;
    FrameReader& operator=(const FrameReader&) = delete;

    bool IsAsynchronous() const { return gl != nullptr; }

    // Starts reading the frame just drawn, and hands the oldest frame whose
    // pixels are due to `sink`.
    void Read(FrameSink& sink) override;
    // Hands every frame still on its way to `sink`, oldest first.
    void Drain(FrameSink& sink) override;
    // Forgets the frames on their way without touching OpenGL: for when the
    // context has gone with its window.
    void Abandon() override;

private:
    void Deliver(FrameSink& sink);

    int width;
    int height;
    std::unique_ptr<PixelBufferFunctions> gl;  // null: plain reads
    unsigned buffers[2];
    int next;     // the buffer the next frame is read into
    int waiting;  // frames read and not yet handed on
    std::vector<std::uint8_t> pixels;
};
