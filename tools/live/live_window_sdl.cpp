#include <SDL.h>

#include "tools/live/live_window.h"

namespace {

bool KeyOf(const SDL_KeyboardEvent& key, LiveKey& live) {
    bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    switch (key.keysym.sym) {
        case SDLK_SPACE:
            live = LiveKey::PlayPause;
            return true;
        case SDLK_LEFT:
            live = shift ? LiveKey::BackLong : LiveKey::Back;
            return true;
        case SDLK_RIGHT:
            live = shift ? LiveKey::ForwardLong : LiveKey::Forward;
            return true;
        case SDLK_HOME:
            live = LiveKey::Home;
            return true;
        case SDLK_LEFTBRACKET:
            live = LiveKey::LoopStart;
            return true;
        case SDLK_RIGHTBRACKET:
            live = LiveKey::LoopEnd;
            return true;
        case SDLK_BACKSPACE:
            live = LiveKey::LoopClear;
            return true;
        case SDLK_r:
            live = LiveKey::Reload;
            return true;
        case SDLK_ESCAPE:
            live = LiveKey::End;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool DemoWindowExists() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentWindow() != nullptr;
}

void TakeLiveKeys(std::vector<LiveKey>& keys) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN) == 1) {
        LiveKey key;
        if (KeyOf(event.key, key)) keys.push_back(key);
    }
}

void SetDemoWindowTitle(const std::string& title) {
    if (!DemoWindowExists()) return;
    SDL_SetWindowTitle(SDL_GL_GetCurrentWindow(), title.c_str());
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
