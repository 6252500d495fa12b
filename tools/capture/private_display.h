#pragma once

// A display of the program's own for the demo window, when there is none to
// draw on: on Linux without DISPLAY, a private virtual X server (Xvfb) of the
// frame's size, started here and stopped with this object
// (private_display_xvfb.cpp). Windows always has a display
// (private_display_win32.cpp).
class PrivateDisplay {
public:
    // Starts one when needed; throws when it cannot.
    PrivateDisplay(int width, int height);
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

private:
    long server;  // the server's process, 0 for none
};
