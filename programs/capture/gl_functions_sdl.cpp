#include <SDL.h>

#include "programs/capture/gl_functions.h"

void* FindGLFunction(const char* name) {
    return SDL_GL_GetProcAddress(name);
}
