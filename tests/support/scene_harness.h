#pragma once

#include <vector>

#include "plugin/variable.h"
#include "tests/support/pack_module.h"

struct SDL_Window;

// Drives the two scene plugins as the host does, in an SDL window with an
// OpenGL context (32-bit colour, 16-bit depth, double buffer), and reads back
// what they drew.
class SceneHarness {
public:
    // Opens the window; throws std::runtime_error when there is no display.
    SceneHarness(int windowWidth, int windowHeight);
    ~SceneHarness();
    SceneHarness(const SceneHarness&) = delete;
    SceneHarness& operator=(const SceneHarness&) = delete;

    // The host's variables for the two plugins.
    Variable scene;
    Variable title;
    Variable depth;
    Variable time;
    Variable count;
    Variable english;

    // Binds the variables and starts the plugins in the host's order:
    // LoadCOctreeScene gets Start, Prepare and Run, PrintCOctreeScene Start.
    void Load(const char* titleText, int depthValue);
    // Rebinds and runs PrintCOctreeScene for one frame at `seconds`.
    void Draw(float seconds, int satellites, bool inEnglish);
    // What the presentation plugin does after the scene: swap, then clear.
    void Present();
    // The back buffer as rows of RGB bytes, bottom row first.
    std::vector<unsigned char> ReadBackBuffer() const;
    // Fills the back buffer with one colour (to see whether a frame drew).
    void Fill(float red, float green, float blue);

    int Width() const { return width; }
    int Height() const { return height; }

    PackModule pack;
    Plugin* loadPlugin;
    Plugin* printPlugin;

private:
    int width;
    int height;
    SDL_Window* window;
    void* context;
};
