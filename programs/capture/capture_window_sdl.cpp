#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstring>

#include "foundation/exception.h"
#include "programs/capture/capture_window.h"

void FitDemoWindow(int width, int height) {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    if (window == nullptr) throw Ombrel::Exception("No OpenGL window to capture");
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    // Off screen the window is a pixel buffer made once at the size the
    // device pack asked for: resizing the window would leave it as it is.
    const char* driver = SDL_GetCurrentVideoDriver();
    bool offscreen = driver != nullptr && std::strcmp(driver, "offscreen") == 0;
    if (offscreen && (drawableWidth != width || drawableHeight != height)) {
        throw Ombrel::Exception("The off-screen demo window is %dx%d, not the %dx%d asked for",
                                drawableWidth, drawableHeight, width, height);
    }
    if (drawableWidth != width || drawableHeight != height) {
        SDL_SetWindowSize(window, width, height);
        SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    }
    if (drawableWidth != width || drawableHeight != height) {
        throw Ombrel::Exception("The demo window is %dx%d, not the %dx%d asked for", drawableWidth,
                                drawableHeight, width, height);
    }
    glViewport(0, 0, width, height);
    SDL_GL_SetSwapInterval(0);

    // What lies off the screen may never be drawn on a real graphics card.
    SDL_Rect screen;
    int display = SDL_GetWindowDisplayIndex(window);
    if (!offscreen && display >= 0 && SDL_GetDisplayBounds(display, &screen) == 0 &&
        (width > screen.w || height > screen.h)) {
        std::fprintf(stderr,
                     "ombrel-capture: warning: the frame (%dx%d) is larger than the screen "
                     "(%dx%d); run without DISPLAY to render on a private display of that "
                     "size\n",
                     width, height, screen.w, screen.h);
    }
}

// The software renderer's threads are shut down when the display closes, and
// one of them waits for ever when a frame is still queued to them then: a
// context left to the display's end is flushed by being made no longer
// current, and its last frame races the shutdown. So everything drawn is
// finished and the context deleted (which waits for its frames) on this
// thread, the one that made it, before SDL closes the display.
void LeaveDemoWindow() {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    if (context != nullptr) {
        glFinish();
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
    }
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_Quit();
}
