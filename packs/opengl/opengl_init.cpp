#include "packs/opengl/opengl_init.h"

namespace {

const char* const InitName = "OpenGLInit";

}  // namespace

OpenGLInit::OpenGLInit() : slots(), device(nullptr) {}

const char* OpenGLInit::GetSignature() {
    return Arguments::Signature();
}

const char* OpenGLInit::GetName() {
    return InitName;
}

void OpenGLInit::SetArgument(int index, Value** slot) {
    slots.Set(index, slot);
}

void OpenGLInit::Start() {}

bool OpenGLInit::Prepare() {
    return true;
}

void OpenGLInit::Run() {
    // The device is published before the window opens, so that the host's
    // variable holds it even when opening fails.
    Value*& out = OutSlot(slots, Arguments::openGL, InitName);
    device = new GLDevice();
    out = device;

    bool isFullScreen = ReadBool(slots, Arguments::fullScreen, InitName);
    int bits = ReadInt(slots, Arguments::colorBits, InitName);
    int pixelsHigh = ReadInt(slots, Arguments::height, InitName);
    int pixelsWide = ReadInt(slots, Arguments::width, InitName);
    device->Init(ReadString(slots, Arguments::name, InitName), pixelsWide, pixelsHigh, bits,
                 isFullScreen);
}

void OpenGLInit::Stop() {
    Value** openGL = slots[Arguments::openGL];
    if (openGL == nullptr || device == nullptr || *openGL != device) return;
    delete device;
    device = nullptr;
    *openGL = nullptr;
}
