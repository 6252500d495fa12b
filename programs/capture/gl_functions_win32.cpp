#include <windows.h>

#include "programs/capture/gl_functions.h"

// wglGetProcAddress answers only for what opengl32.dll does not export itself,
// and some drivers answer small numbers instead of null for what they lack.
void* FindGLFunction(const char* name) {
    PROC found = wglGetProcAddress(name);
    auto address = reinterpret_cast<UINT_PTR>(found);
    if (address <= 3 || address == static_cast<UINT_PTR>(-1)) return nullptr;
    return reinterpret_cast<void*>(found);
}
