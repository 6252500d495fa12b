#include <SDL.h>

#include "host/display.h"

namespace Ombrel::Host {

// The demo window is the one that holds the current OpenGL context; leaving
// its full-screen mode gives the display its own mode back.
void RestoreDisplayMode() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    if (window) SDL_SetWindowFullscreen(window, 0);
}

}  // namespace Ombrel::Host
