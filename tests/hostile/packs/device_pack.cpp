// A device pack that fails on purpose: OpenGLInit and OpenGLPrint with the
// demo's bindings and no window. OpenGLPrint ends the demo at its third frame
// as a closed window would, so that a run without a failure ends too.
#include "tests/fixtures/demo_signatures.h"
#include "tests/hostile/packs/failing_plugins.h"

namespace {

const int FramesBeforeClosing = 3;

FailingPlugin init("OpenGLInit", DemoSignature::OpenGLInit);
FailingPlugin print("OpenGLPrint", DemoSignature::OpenGLPrint, FramesBeforeClosing);
Plugin* const Plugins[] = {&init, &print};

}  // namespace

OMBREL_DECLARE_PACK("HostileDevice", Plugins)
