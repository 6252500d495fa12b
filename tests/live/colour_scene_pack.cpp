// A scene pack for the live-development tests: every frame is one colour that
// tells the demo time and which build drew it. Red is the time within eight
// seconds (0 to 255), green is the build's own (COLOUR_GREEN), blue is 128,
// or 255 when the scene the frame was given is not the one this build made
// (a value left behind by an unloaded version). Builds with COLOUR_FAULT fail
// on purpose: 1 a malformed signature, 2 a Run that throws, 3 a Run that
// crashes the process, 4 the drawing plugin's name misspelt.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include <cmath>

#include "foundation/exception.h"
#include "tests/fixtures/demo_signatures.h"
#include "tests/fixtures/test_plugin.h"

#ifndef COLOUR_GREEN
#define COLOUR_GREEN 60
#endif
#ifndef COLOUR_FAULT
#define COLOUR_FAULT 0
#endif

// Where build 3 crashes: a function of its own, which the module names (on
// Linux), for the session's note of where it crashed.
#ifdef _WIN32
#define COLOUR_CRASH_FUNCTION extern "C" __attribute__((noinline))
#else
#define COLOUR_CRASH_FUNCTION extern "C" __attribute__((visibility("default"), noinline))
#endif
COLOUR_CRASH_FUNCTION void LiveColourCrashHere(volatile int* at) {
    *at = 1;
}

namespace {

class ColourScene final : public Value {
public:
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return 12; }
};

ColourScene* made = nullptr;

class LoadScene final : public TestPlugin<LoadScene> {
public:
    LoadScene() : TestPlugin("LoadCOctreeScene", DemoSignature::LoadCOctreeScene) {}
    void Run() override { OutValue(slots[0], made, GetName(), "scene"); }
    void Stop() override { FreeOutValue(slots[0], made); }
};

class DrawScene final : public TestPlugin<DrawScene> {
public:
    DrawScene()
        : TestPlugin(COLOUR_FAULT == 4 ? "PrintCoctreeScene" : "PrintCOctreeScene",
                     COLOUR_FAULT == 1 ? "in COctreeScene scene, in float"
                                       : DemoSignature::PrintCOctreeScene) {}
    void Run() override {
        if (COLOUR_FAULT == 2) throw Ombrel::Exception("PrintCOctreeScene: this build throws");
        if (COLOUR_FAULT == 3) LiveColourCrashHere(nullptr);
        Value** scene = slots[0];
        float seconds = ReadFloatOr(slots[1], 0.0f);
        bool ours = FindInValue(scene) != nullptr && FindInValue(scene) == made;
        glPushAttrib(GL_COLOR_BUFFER_BIT);
        glClearColor(std::fmod(seconds, 8.0f) / 8.0f, COLOUR_GREEN / 255.0f,
                     ours ? 128 / 255.0f : 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glPopAttrib();
    }
};

LoadScene loadScene;
DrawScene drawScene;
Plugin* const Plugins[] = {&loadScene, &drawScene};

}  // namespace

OMBREL_DECLARE_PACK("LiveColour", Plugins)
