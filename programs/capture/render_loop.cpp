#include "programs/capture/render_loop.h"

#include "foundation/exception.h"
#include "programs/support/interruption.h"

std::string RenderFrames(FrameDrawing& drawing, FrameReadback& reader, FrameAndSound& sink,
                         const FrameClock& clock, const FrameRange& frames,
                         ProgressLine& progress) {
    for (std::int64_t frame = frames.first; frame <= frames.last && !Interrupted(); ++frame) {
        try {
            drawing.Draw(clock.Seconds(frame));
        } catch (const Ombrel::Exception& e) {
            reader.Drain(sink);
            return e.message;
        }
        reader.Read(sink);
        try {
            drawing.Present();
        } catch (const Ombrel::Exception& e) {
            // A closed window takes its context and the frames still in it.
            reader.Abandon();
            return e.message;
        }
        progress.Show(sink.Written());
    }
    reader.Drain(sink);
    return std::string();
}
