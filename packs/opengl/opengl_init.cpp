#include "packs/opengl/opengl_init.h"

#include "plugin/variable.h"

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
    return "OpenGLInit";
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
    device = new GLDevice();
    *openGL = device;

    // A "bool" is read from the lowest-addressed byte of its payload.
    bool isFullScreen =
        *reinterpret_cast<unsigned char*>(&static_cast<IntValue*>(*fullScreen)->value) != 0;
    int bits = static_cast<IntValue*>(*colorBits)->value;
    int pixelsHigh = static_cast<IntValue*>(*height)->value;
    int pixelsWide = static_cast<IntValue*>(*width)->value;
    device->Init(*static_cast<String*>(*name), pixelsWide, pixelsHigh, bits, isFullScreen);
}

void OpenGLInit::Stop() {
    if (openGL == nullptr || device == nullptr || *openGL != device) return;
    delete device;
    device = nullptr;
    *openGL = nullptr;
}
