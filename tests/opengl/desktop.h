#pragma once

#include <string>

// What the window tests do on the desktop they run on (an X display): run
// the desktop's own tools as a person's stand-ins, and talk to the window
// system the way the rest of a program would.

// Runs a shell command on the desktop's machine and returns what it printed
// on standard output. From a Windows program under wine the command runs as
// a native program of that machine.
std::string RunDesktopCommand(const std::string& command);

// Posts the window system's quit request to the calling thread's queue.
void PostQuitRequest();

// Fills the back buffer of the current rendering context with one colour,
// as a scene would draw a frame.
void PaintBackBuffer(float red, float green, float blue);

// The viewport of the current rendering context: x, y, width, height.
void ReadViewport(int viewport[4]);
