#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>

#include "tests/opengl/desktop.h"

std::string RunDesktopCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char chunk[256];
    while (fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
    pclose(pipe);
    return output;
}

void PostQuitRequest() {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void PaintBackBuffer(float red, float green, float blue) {
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void ReadViewport(int viewport[4]) {
    glGetIntegerv(GL_VIEWPORT, viewport);
}
