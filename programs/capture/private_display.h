#pragma once

#include <string>

#include "programs/capture/gpu_choice.h"

// Where the demo window is drawn, when there is no display to draw on: on
// Linux without DISPLAY, off screen through EGL on a device of the machine
// (offscreen_display.h), or, where EGL offers none, on a private virtual X
// server (Xvfb) of the frame's size, started here and stopped with this
// object (private_display_xvfb.cpp). Windows always has a display
// (private_display_win32.cpp).
//
// OMBREL_CAPTURE_DRAW=egl draws through EGL or fails; =xvfb on Xvfb only.
class PrivateDisplay {
public:
    // Readies one when needed; throws when it cannot.
    PrivateDisplay(int width, int height, const GpuRequest& gpu);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Where the frames are drawn, for the log: "X display :0", "Xvfb :1",
    // "EGL device 0 of 1 (software)".
    const std::string& Where() const { return where; }

private:
    long server;  // the server's process, 0 for none
    std::string where;
};
