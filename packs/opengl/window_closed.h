#pragma once

// What OpenGLPrint throws when the demo's window goes: the user closed it
// (Escape, its close button), or the window system asked the program to quit.
// Either is the normal end of the demo's frames, not a failure; the demo graph
// of the host tells them from the failures of a frame (see demo_graph.h).
namespace DeviceMessages {
const char* const WindowClosed = "OpenGL window closed";
const char* const QuitRequested = "Opengl window closed";
}  // namespace DeviceMessages
