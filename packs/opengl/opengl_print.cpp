#include "packs/opengl/opengl_print.h"

#include "foundation/exception.h"
#include "packs/opengl/gl_device.h"

namespace {

const char* const PrintName = "OpenGLPrint";

}  // namespace

OpenGLPrint::OpenGLPrint() : slots(), rate(), status() {
    rate.frames = 0.0f;
    rate.lastTime = 0.0f;
    rate.framesPerSecond = 0.0f;
}

const char* OpenGLPrint::GetSignature() {
    return Arguments::Signature();
}

const char* OpenGLPrint::GetName() {
    return PrintName;
}

void OpenGLPrint::SetArgument(int index, Value** slot) {
    slots.Set(index, slot);
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
    Value* device = FindInValue(slots[Arguments::openGL]);
    if (device == nullptr) throw Ombrel::Exception("OpenGLPrint: no OpenGL device");
    rate.CountFrame(ReadFloat(slots, Arguments::time, PrintName));
    status.Build(rate.framesPerSecond, ReadInt(slots, Arguments::count, PrintName));
    static_cast<GLDevice*>(device)->Present();
    GLDevice::ClearBuffers();
}

void OpenGLPrint::Stop() {}
