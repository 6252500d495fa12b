#include <SDL.h>

#include "programs/capture/gl_functions.h"

namespace Ombrel::Capture {

void* FindGLFunction(const char* name) {
    return SDL_GL_GetProcAddress(name);
}

}  // namespace Ombrel::Capture
