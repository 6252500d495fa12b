// The demo's four plugins doing nothing, so that a frame costs only what the
// host itself does.
#include "tests/fixtures/fixed_plugin.h"

namespace {

FixedPlugin init("OpenGLInit",
                 "out OpenGL openGL, in String name, in int width, in int height, "
                 "in int colorBits, in bool fullScreen");
FixedPlugin print("OpenGLPrint", "in OpenGL openGL, in float  time, in int count");
FixedPlugin loadScene("LoadCOctreeScene", "out COctreeScene scene, in String title, in int depth");
FixedPlugin drawScene("PrintCOctreeScene",
                      "in COctreeScene scene, in float time, in int count, in bool english");
Plugin* const Plugins[] = {&init, &print, &loadScene, &drawScene};

}  // namespace

OMBREL_DECLARE_PACK("BenchQuiet", Plugins)
