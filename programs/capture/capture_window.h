#pragma once

// The demo window that OpenGLInit opened, seen from the capture program
// through the current OpenGL context (capture_window_sdl.cpp,
// capture_window_win32.cpp).

// Makes the window's drawable area exactly `width` x `height` pixels (the
// device pack may open it at another size: on Windows its outer size is the
// one asked for), points the viewport at all of it and turns off waiting for
// the screen's refresh, so that frames are drawn as fast as they can be.
// Throws when the window system does not give that size.
void FitDemoWindow(int width, int height);

// Lets go of the window system at the very end, so that a private display
// can stop without anyone still talking to it: finishes what was drawn,
// deletes the demo window's context and the window, and closes the display.
void LeaveDemoWindow();
