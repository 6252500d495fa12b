// ombrel-capture: renders the demo to a video file, frame by frame at a fixed
// rate, with its music. It loads the demo's packs and builds the demo graph as
// the host does, without the setup dialog, and reads each frame back before
// the device pack shows it. Its command line: CaptureUsage().
//
// Exit status: 0 done, 1 failed, 2 wrong command line, 130 interrupted (the
// frames rendered so far are kept). OMBREL_CAPTURE_READBACK=plain reads each
// frame back at once instead of through pixel buffers, for comparison.
// Without DISPLAY, OMBREL_CAPTURE_DRAW=egl draws through EGL only and
// OMBREL_CAPTURE_DRAW=xvfb on a private Xvfb only (private_display.h).

#include <cstdio>
#include <exception>

#include "foundation/exception.h"
#include "programs/capture/capture_options.h"
#include "programs/capture/capture_run.h"
#include "programs/capture/join_run.h"
#include "programs/capture/output_formats.h"
#include "programs/support/version_option.h"

int main(int argc, char** argv) {
    if (PrintVersionWhenAsked(argc, argv, "ombrel-capture")) return 0;
    CaptureOptions options;
    try {
        options = ParseCaptureOptions(argc - 1, argv + 1);
        if (!options.help && !options.frameCount) CheckOutputKind(options.output);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-capture: %s\n\n%s", e.message, CaptureUsage());
        return CaptureBadUsage;
    }
    if (options.help) {
        std::printf("%s\nOutputs: %s.\n", CaptureUsage(), OutputKinds());
        return CaptureDone;
    }
    try {
        return options.join ? RunJoin(options) : RunCapture(options);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-capture: %s\n", e.message);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ombrel-capture: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "ombrel-capture: a plugin failed with an unknown exception\n");
    }
    return CaptureFailed;
}
