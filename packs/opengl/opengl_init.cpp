#include "packs/opengl/opengl_init.h"

namespace {

const char* const InitName = "OpenGLInit";

}  // namespace

OpenGLInit::OpenGLInit()
    : openGL(nullptr),
      width(nullptr),
      height(nullptr),
      colorBits(nullptr),
      fullScreen(nullptr),
      name(nullptr),
      device(nullptr) {}

const char* OpenGLInit::GetSignature() {
    return "out OpenGL openGL, in String name, in int width, in int height, in int colorBits, "
           "in bool fullScreen";
}

const char* OpenGLInit::GetName() {
    return InitName;
}

void OpenGLInit::SetArgument(int index, Value** slot) {
    switch (index) {
        case 0:
            openGL = slot;
            break;
        case 1:
            name = slot;
            break;
        case 2:
            width = slot;
            break;
        case 3:
            height = slot;
            break;
        case 4:
            colorBits = slot;
            break;
        case 5:
            fullScreen = slot;
            break;
        default:
            break;
    }
}

void OpenGLInit::Start() {}

bool OpenGLInit::Prepare() {
    return true;
}

void OpenGLInit::Run() {
    // The device is published before the window opens, so that the host's
    // variable holds it even when opening fails.
    Value*& out = OutSlot(openGL, InitName, "openGL");
    device = new GLDevice();
    out = device;

    bool isFullScreen = ReadBool(fullScreen, InitName, "fullScreen");
    int bits = ReadInt(colorBits, InitName, "colorBits");
    int pixelsHigh = ReadInt(height, InitName, "height");
    int pixelsWide = ReadInt(width, InitName, "width");
    device->Init(ReadString(name, InitName, "name"), pixelsWide, pixelsHigh, bits, isFullScreen);
}

void OpenGLInit::Stop() {
    if (openGL == nullptr || device == nullptr || *openGL != device) return;
    delete device;
    device = nullptr;
    *openGL = nullptr;
}
