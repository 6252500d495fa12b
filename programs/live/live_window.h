#pragma once

#include <string>
#include <vector>

#include "programs/live/live_keys.h"

namespace Ombrel::Live {

// The demo window that the device pack's OpenGLInit opened, seen from the
// live-development program through the current OpenGL context
// (live_window_sdl.cpp, live_window_win32.cpp): its keys, its title, and its
// end when the device pack is replaced.

// Whether a window holds the current OpenGL context.
bool DemoWindowExists();

// Takes the keys pressed in the window off its queue, in order; the device
// pack, which swallows every key but Escape, sees none of them. Escape is the
// program's too: it ends the session.
void TakeLiveKeys(std::vector<LiveKey>& keys);

// Shows the title in the demo's window, unless the window shows it already: a
// device pack started again opens a window of its own title.
void SetDemoWindowTitle(const std::string& title);

// How many times a second the window's display refreshes; 0 when unknown.
int DemoWindowRefreshRate();

// Has `lost` called when the connection to the window system breaks (the
// display has gone); `lost` must not return, the window system's library
// would end the process after it. Set again at every call: a new device pack
// may start the window system anew.
void WatchDisplay(void (*lost)());

// Asks the window to close, as its close button does; the device pack closes
// it at its next frame.
void RequestDemoWindowClose();

// Ends a window that did not close when asked: its context, then the window.
void DestroyDemoWindow();

// Once the window has gone and before the device pack's module is unloaded:
// lets go of what the window system keeps that points into it (on Windows,
// the window class and its window procedure), so that the next version can
// open its window.
void ForgetDemoWindowClass();

}  // namespace Ombrel::Live
