#pragma once

#include "programs/capture/capture_options.h"

// Exit statuses of ombrel-capture.
enum CaptureStatus {
    CaptureDone = 0,          // every frame written
    CaptureFailed = 1,        // nothing written, or the demo stopped early
    CaptureBadUsage = 2,      // the command line makes no sense
    CaptureInterrupted = 130  // Ctrl-C: the frames rendered so far were kept
};

// Renders the demo as the host runs it, frame by frame at the options' fixed
// rate, into the output with its music. Failures before the first frame throw
// Ombrel::Exception and leave no output behind. Once frames are written, an
// interruption or a frame that throws ends the output playable with the
// frames rendered so far; the status says which.
CaptureStatus RunCapture(const CaptureOptions& options);
