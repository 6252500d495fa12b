// The demo window with SDL2 and its OpenGL context. The running flag lives in
// a small state block attached to the SDL window, the counterpart of a block
// reached through a window's user-data word.
#include <SDL.h>
#include <SDL_opengl.h>

#include <new>

#include "foundation/exception.h"
#include "packs/opengl/gl_device.h"
#include "packs/opengl/host_icon.h"
#include "packs/opengl/icon_picture.h"
#include "packs/opengl/window_closed.h"

namespace {

const char* const StateKey = "ombrel.gl_device";

// Backend state of one window.
struct WindowState {
    bool running;
};

SDL_Window* WindowOf(const GLDevice& device) {
    return static_cast<SDL_Window*>(device.window);
}

void StopRunning(SDL_Window* window) {
    if (window == nullptr) return;
    // A request that comes before the flag exists has nowhere to go.
    auto* state = static_cast<WindowState*>(SDL_GetWindowData(window, StateKey));
    if (state != nullptr) state->running = false;
}

// The window whose keyboard event this is; without a focus window, the one
// that holds the current rendering context (the demo window).
SDL_Window* KeyboardWindow(const SDL_KeyboardEvent& key) {
    SDL_Window* window = SDL_GetWindowFromID(key.windowID);
    return window != nullptr ? window : SDL_GL_GetCurrentWindow();
}

// Whether the window procedure acts on the event: the quit request, a new
// size, the close button and Escape. Every other event, other keys included
// (the window swallows them), changes nothing.
bool ActsOn(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            return true;
        case SDL_WINDOWEVENT:
            return event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                   event.window.event == SDL_WINDOWEVENT_CLOSE;
        case SDL_KEYDOWN:
            return event.key.keysym.sym == SDLK_ESCAPE;
        default:
            return false;
    }
}

// The window procedure's counterpart, given an event it acts on: keeps the
// viewport on the drawable area and turns the close button and Escape into a
// request to stop.
void HandleEvent(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN) {
        StopRunning(KeyboardWindow(event.key));
        return;
    }
    SDL_Window* window = SDL_GetWindowFromID(event.window.windowID);
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        StopRunning(window);
    } else if (window != nullptr) {
        int drawableWidth = 0, drawableHeight = 0;
        SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
        glViewport(0, 0, drawableWidth, drawableHeight);
    }
}

// Windows merges mouse moves into one message and sends most window traffic
// past the queue, so its one message per frame never falls behind. SDL
// queues every event apiece: a moving pointer alone fills the queue faster
// than frames empty it, and Escape would wait behind seconds of motion. So
// the input kinds that the window never acts on are switched off at the
// source (they never enter the queue, and the queue stays short), and each
// frame drops the few other events it does not act on until it reaches one
// it does. The switches are the process's own: the device pack is the part
// of the demo that reads SDL's events.
void IgnoreUnusedInput() {
    static const Uint32 unused[] = {SDL_MOUSEMOTION,  SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                                    SDL_MOUSEWHEEL,   SDL_KEYUP,           SDL_TEXTEDITING,
                                    SDL_TEXTINPUT,    SDL_FINGERDOWN,      SDL_FINGERUP,
                                    SDL_FINGERMOTION, SDL_MULTIGESTURE};
    for (Uint32 type : unused) SDL_EventState(type, SDL_IGNORE);
}

// Takes the next event that the window procedure acts on, dropping those
// before it; false when none is waiting. One look at the window system per
// frame, and nothing is allocated: SDL recycles the entries of its queue.
bool TakeEventToHandle(SDL_Event& event) {
    SDL_PumpEvents();
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        if (ActsOn(event)) return true;
    }
    return false;
}

// The display's pixel format for a colour depth in bits per pixel.
Uint32 FormatForBits(int colorBits) {
    switch (colorBits) {
        case 8:
            return SDL_PIXELFORMAT_RGB332;
        case 15:
            return SDL_PIXELFORMAT_RGB555;
        case 16:
            return SDL_PIXELFORMAT_RGB565;
        case 24:
            return SDL_PIXELFORMAT_RGB24;
        default:
            return SDL_PIXELFORMAT_RGB888;
    }
}

// The pixel format request: 32 colour bits, 16 depth bits, double buffered.
// SDL fixes a window's pixel format when the window is created, so the
// request is made just before it; a window that no format fits then fails to
// be created.
void SetupPixelFormat() {
    bool requested = SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8) == 0 &&
                     SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8) == 0 &&
                     SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8) == 0 &&
                     SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 32) == 0 &&
                     SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16) == 0 &&
                     SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0;
    if (!requested) throw Ombrel::Exception("OpenGL: ChoosePixelFormat failed");
}

// Gives the window the host's icon, at the size a window's icon has on
// Windows. A picture that cannot be read leaves the window system's own.
void SetHostIcon(SDL_Window* window) {
    IconPicture icon;
    if (!icon.Decode(HostIcon, HostIconSize, 32)) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon.pixels.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

// Connects to the display. Without one, SDL falls back to a driver whose
// windows nobody sees and nobody can close, and the demo would run unseen for
// ever: that counts as no display, unless such a driver was asked for by name.
bool OpenDisplay() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    bool unseen = driver != nullptr &&
                  (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    if (unseen && (requested == nullptr || *requested == '\0')) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

}  // namespace

void GLDevice::OpenWindow(const char* title, int width, int height, int colorBits,
                          bool fullScreen) {
    if (!OpenDisplay()) throw Ombrel::Exception("OpenGL : couldn't create window");
    // The close button only clears the running flag; the demo decides when
    // to end, as it does for Escape.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    IgnoreUnusedInput();
    SetupPixelFormat();

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    flags |= fullScreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
    SDL_Window* created = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                           width, height, flags);
    if (created == nullptr) throw Ombrel::Exception("OpenGL : couldn't create window");
    SetHostIcon(created);
    if (fullScreen) {
        // The display switches to this mode when the window is shown.
        SDL_DisplayMode mode = {FormatForBits(colorBits), width, height, 0, nullptr};
        SDL_SetWindowDisplayMode(created, &mode);
        SDL_ShowCursor(SDL_DISABLE);
    }
    window = created;
    deviceContext = created;

    glContext = SDL_GL_CreateContext(created);
    SDL_GL_MakeCurrent(created, static_cast<SDL_GLContext>(glContext));

    SDL_ShowWindow(created);
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(created, &drawableWidth, &drawableHeight);
    glViewport(0, 0, drawableWidth, drawableHeight);
    initialized = true;

    auto* state = new (std::nothrow) WindowState;
    if (state == nullptr) throw Ombrel::Exception("Error initializing openGL window");
    state->running = true;
    SDL_SetWindowData(created, StateKey, state);
}

// The per-frame path: one look at the window system, at most one event
// handled, no waiting and no allocation.
void GLDevice::Present() {
    SDL_Event event;
    if (TakeEventToHandle(event)) {
        if (event.type == SDL_QUIT) throw Ombrel::Exception("%s", DeviceMessages::QuitRequested);
        HandleEvent(event);
    }

    glFlush();
    ShowBackBuffer();

    SDL_Window* shown = WindowOf(*this);
    auto* state = static_cast<WindowState*>(SDL_GetWindowData(shown, StateKey));
    if (state == nullptr || state->running) return;

    // Leaving full screen returns the display to its normal mode; on a
    // windowed window it changes nothing.
    SDL_SetWindowFullscreen(shown, 0);
    if (glContext != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext));
    SDL_SetWindowData(shown, StateKey, nullptr);
    delete state;
    SDL_DestroyWindow(shown);
    throw Ombrel::Exception("%s", DeviceMessages::WindowClosed);
}

void GLDevice::ShowBackBuffer() {
    SDL_GL_SwapWindow(WindowOf(*this));
}
