#include <SDL.h>
#include <dlfcn.h>

#include <vector>

#include "programs/live/live_window.h"

namespace Ombrel::Live {

namespace {

struct KeyName {
    SDL_Keycode code;
    PressedKey pressed;
};

const KeyName Keys[] = {
    {SDLK_SPACE, PressedKey::Space},
    {SDLK_LEFT, PressedKey::Left},
    {SDLK_RIGHT, PressedKey::Right},
    {SDLK_HOME, PressedKey::Home},
    {SDLK_COMMA, PressedKey::Comma},
    {SDLK_PERIOD, PressedKey::Period},
    {SDLK_m, PressedKey::M},
    {SDLK_LEFTBRACKET, PressedKey::LeftBracket},
    {SDLK_RIGHTBRACKET, PressedKey::RightBracket},
    {SDLK_BACKSPACE, PressedKey::Backspace},
    {SDLK_r, PressedKey::R},
    {SDLK_t, PressedKey::T},
    {SDLK_ESCAPE, PressedKey::Escape},
};

bool KeyOf(const SDL_KeyboardEvent& key, LiveKey& live) {
    for (const KeyName& name : Keys) {
        if (name.code != key.keysym.sym) continue;
        live = LiveKeyOf(name.pressed, (key.keysym.mod & KMOD_SHIFT) != 0);
        return true;
    }
    return false;
}

// The device pack drops, each frame, the events its window does not act on:
// a key pressed while the scene is drawn would be gone before the next look
// here. An event watch sees every event as it enters the queue. A new device
// pack may start the window system again, which forgets the watch (its new
// window may even have the old one's address), so the watch is set afresh at
// every look: keys enter the queue only on this thread, so none can come
// between the two calls.
std::vector<LiveKey> watchedKeys;

int WatchKeys(void*, SDL_Event* event) {
    LiveKey key;
    if (event->type == SDL_KEYDOWN && KeyOf(event->key, key)) watchedKeys.push_back(key);
    return 0;
}

// Xlib's own handler of a broken connection prints a line and exits with
// status 1, which would be taken for a crash of the pack.
void (*displayLost)() = nullptr;

int OnLostDisplay(void*) {
    displayLost();
    return 0;
}

}  // namespace

bool DemoWindowExists() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentWindow() != nullptr;
}

void TakeLiveKeys(std::vector<LiveKey>& keys) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_DelEventWatch(WatchKeys, nullptr);
    SDL_AddEventWatch(WatchKeys, nullptr);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_KEYDOWN);
    keys.insert(keys.end(), watchedKeys.begin(), watchedKeys.end());
    watchedKeys.clear();
}

void SetDemoWindowTitle(const std::string& title) {
    if (!DemoWindowExists()) return;
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    if (title != SDL_GetWindowTitle(window)) SDL_SetWindowTitle(window, title.c_str());
}

int DemoWindowRefreshRate() {
    if (!DemoWindowExists()) return 0;
    SDL_DisplayMode mode;
    int display = SDL_GetWindowDisplayIndex(SDL_GL_GetCurrentWindow());
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

// SDL loads the X library itself: it is looked up only where it is loaded
// already, and this program needs no link to it.
void WatchDisplay(void (*lost)()) {
    displayLost = lost;
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return;
    typedef int (*Handler)(void*);
    typedef Handler (*SetHandler)(Handler);
    SetHandler set = reinterpret_cast<SetHandler>(dlsym(library, "XSetIOErrorHandler"));
    if (set != nullptr) set(OnLostDisplay);
    dlclose(library);
}

void RequestDemoWindowClose() {
    if (!DemoWindowExists()) return;
    SDL_Event close = {};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    SDL_PushEvent(&close);
}

void DestroyDemoWindow() {
    if (!DemoWindowExists()) return;
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    SDL_GL_MakeCurrent(window, nullptr);
    if (context != nullptr) SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
}

void ForgetDemoWindowClass() {}

}  // namespace Ombrel::Live
