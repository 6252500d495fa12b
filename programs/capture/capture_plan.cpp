#include "programs/capture/capture_plan.h"

#include "foundation/exception.h"

CapturePlan PlanCapture(const CaptureOptions& options, const FrameClock& clock,
                        std::int64_t musicSamples, const char* musicName) {
    CapturePlan plan;
    plan.total = options.seconds > 0.0 ? clock.FramesFor(options.seconds)
                                       : clock.FramesForSamples(musicSamples);
    if (plan.total < 1) {
        throw Ombrel::Exception("The music %s has no sound: give the length with --seconds",
                                musicName);
    }
    plan.frames.first = 0;
    plan.frames.last = plan.total - 1;
    if (!options.segment) return plan;
    if (options.frames.last >= plan.total) {
        throw Ombrel::Exception("--frames %s: the video has %lld frames, from 0 to %lld",
                                options.frames.Text().c_str(), static_cast<long long>(plan.total),
                                static_cast<long long>(plan.total - 1));
    }
    plan.frames = options.frames;
    return plan;
}
