// A device pack that fails on purpose: OpenGLInit and OpenGLPrint with the
// demo's bindings and no window. OpenGLPrint ends the demo at its third frame
// as a closed window would, so that a run without a failure ends too.
#include "tests/hostile/packs/failing_plugins.h"

namespace {

const int FramesBeforeClosing = 3;

FailingPlugin init("OpenGLInit",
                   "out OpenGL openGL, in String name, in int width, in int height, "
                   "in int colorBits, in bool fullScreen");
FailingPlugin print("OpenGLPrint", "in OpenGL openGL, in float  time, in int count",
                    FramesBeforeClosing);
Plugin* const Plugins[] = {&init, &print};

}  // namespace

OMBREL_DECLARE_PACK("HostileDevice", Plugins)
