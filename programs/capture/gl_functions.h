#pragma once

// The address of an OpenGL function of the current rendering context, by
// name, from the window system's own lookup (gl_functions_sdl.cpp,
// gl_functions_win32.cpp). Null when the context does not offer it.
void* FindGLFunction(const char* name);
