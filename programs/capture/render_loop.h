#pragma once

#include <cstdint>
#include <string>

#include "programs/capture/frame_and_sound.h"
#include "programs/capture/frame_clock.h"
#include "programs/capture/frame_range.h"
#include "programs/capture/frame_sink.h"
#include "programs/capture/progress_line.h"

// The demo's frame in its two halves, as the capture drives it: Draw into the
// back buffer at a time in seconds, then Present (which shows the frame and
// clears the buffer). Either throws Ombrel::Exception as the plugins do.
class FrameDrawing {
public:
    virtual void Draw(float seconds) = 0;
    virtual void Present() = 0;

protected:
    ~FrameDrawing() = default;
};

// The read-back of drawn frames: Read starts reading the frame just drawn and
// may hand an older one on; Drain hands on every frame still on its way;
// Abandon forgets them (their context has gone).
class FrameReadback {
public:
    virtual void Read(FrameSink& sink) = 0;
    virtual void Drain(FrameSink& sink) = 0;
    virtual void Abandon() = 0;

protected:
    ~FrameReadback() = default;
};

// Frames back to back at the fixed rate: frame n of `frames` is drawn at the
// clock's time of n, read back, presented. Returns the message of the frame
// that threw, empty when every frame was drawn or Ctrl-C came first. A frame
// whose drawing threw is not handed on; the frames before it are. A frame
// whose Present threw is handed on, unless the read-back was still holding it
// (the window took the context with it).
std::string RenderFrames(FrameDrawing& drawing, FrameReadback& reader, FrameAndSound& sink,
                         const FrameClock& clock, const FrameRange& frames, ProgressLine& progress);
