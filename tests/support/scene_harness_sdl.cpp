#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <stdexcept>
#include <string>

#include "tests/support/scene_harness.h"

SceneHarness::SceneHarness(int windowWidth, int windowHeight)
    : loadPlugin(pack.Find("LoadCOctreeScene")),
      printPlugin(pack.Find("PrintCOctreeScene")),
      width(windowWidth),
      height(windowHeight),
      window(nullptr),
      context(nullptr) {
    if (loadPlugin == nullptr || printPlugin == nullptr)
        throw std::runtime_error("Vantrope.so lacks a scene plugin");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("SDL video (is DISPLAY set?): ") + SDL_GetError());
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window = SDL_CreateWindow("Vantrope", 0, 0, width, height, SDL_WINDOW_OPENGL);
    if (window == nullptr) throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        SDL_DestroyWindow(window);
        throw std::runtime_error(std::string("OpenGL context: ") + SDL_GetError());
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    title.typeName.Assign("String");
    title.value = new String(" SOLVARA RealTime");
    depth.typeName.Assign("int");
    depth.value = new IntValue(5);
    time.typeName.Assign("float");
    time.value = new FloatValue(0.0f);
    count.typeName.Assign("int");
    count.value = new IntValue(32);
    english.typeName.Assign("bool");
    english.value = new IntValue(1);
    scene.typeName.Assign("COctreeScene");
}

SceneHarness::~SceneHarness() {
    // The scenes belong to the pack: its Stop frees them while the context is
    // still current.
    loadPlugin->Stop();
    delete static_cast<String*>(title.value);
    delete static_cast<IntValue*>(depth.value);
    delete static_cast<FloatValue*>(time.value);
    delete static_cast<IntValue*>(count.value);
    delete static_cast<IntValue*>(english.value);
    // Nothing drawn may still be on its way to the renderer's threads when
    // the display closes: they are shut down then, and a frame in flight
    // can leave one of them waiting for ever.
    glFinish();
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SceneHarness::Load(const char* titleText, int depthValue) {
    static_cast<String*>(title.value)->Assign(titleText);
    static_cast<IntValue*>(depth.value)->value = depthValue;
    loadPlugin->SetArgument(0, &scene.value);
    loadPlugin->SetArgument(1, &title.value);
    loadPlugin->SetArgument(2, &depth.value);
    printPlugin->SetArgument(0, &scene.value);
    printPlugin->SetArgument(1, &time.value);
    printPlugin->SetArgument(2, &count.value);
    printPlugin->SetArgument(3, &english.value);
    loadPlugin->Start();
    if (!loadPlugin->Prepare()) throw std::runtime_error("LoadCOctreeScene is not ready");
    loadPlugin->Run();
    printPlugin->Start();
}

void SceneHarness::Draw(float seconds, int satellites, bool inEnglish) {
    static_cast<FloatValue*>(time.value)->value = seconds;
    static_cast<IntValue*>(count.value)->value = satellites;
    static_cast<IntValue*>(english.value)->value = inEnglish ? 1 : 0;
    printPlugin->SetArgument(0, &scene.value);
    printPlugin->SetArgument(1, &time.value);
    printPlugin->SetArgument(2, &count.value);
    printPlugin->Run();
}

void SceneHarness::Present() {
    glFlush();
    SDL_GL_SwapWindow(window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<unsigned char> SceneHarness::ReadBackBuffer() const {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void SceneHarness::Fill(float red, float green, float blue) {
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}
