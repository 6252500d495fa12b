#include "packs/opengl/opengl_print.h"

#include "foundation/exception.h"
#include "packs/opengl/gl_device.h"

namespace {

const char* const PrintName = "OpenGLPrint";

}  // namespace

OpenGLPrint::OpenGLPrint() : openGL(nullptr), time(nullptr), count(nullptr), rate(), status() {
    rate.frames = 0.0f;
    rate.lastTime = 0.0f;
    rate.framesPerSecond = 0.0f;
}

// Two blanks before "time": the text is part of what the pack publishes.
const char* OpenGLPrint::GetSignature() {
    return "in OpenGL openGL, in float  time, in int count";
}

const char* OpenGLPrint::GetName() {
    return PrintName;
}

void OpenGLPrint::SetArgument(int index, Value** slot) {
    switch (index) {
        case 0:
            openGL = slot;
            break;
        case 1:
            time = slot;
            break;
        case 2:
            count = slot;
            break;
        default:
            break;
    }
}

void OpenGLPrint::Start() {
    rate.Start();
}

bool OpenGLPrint::Prepare() {
    return true;
}

// The per-frame path: no allocation and no waiting from here to the clear.
// Without a device there is no window to show: the variable is still empty
// (OpenGLInit's Stop cleared it, or another pack's "OpenGLInit" stored
// nothing), and the demo ends as it does when the window closes.
void OpenGLPrint::Run() {
    Value* device = FindInValue(openGL);
    if (device == nullptr) throw Ombrel::Exception("OpenGLPrint: no OpenGL device");
    rate.CountFrame(ReadFloat(time, PrintName, "time"));
    status.Build(rate.framesPerSecond, ReadInt(count, PrintName, "count"));
    static_cast<GLDevice*>(device)->Present();
    GLDevice::ClearBuffers();
}

void OpenGLPrint::Stop() {}
