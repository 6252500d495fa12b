#include "packs/opengl/gl_device.h"

#include "foundation/exception.h"

GLDevice::GLDevice()
    : window(nullptr), deviceContext(nullptr), glContext(nullptr), initialized(false) {}

void GLDevice::Write(Stream&) {}

void GLDevice::Read(Stream&) {}

int GLDevice::GetSize() {
    return 44;
}

void GLDevice::Init(String name, int width, int height, int colorBits, bool fullScreen) {
    if (initialized) throw Ombrel::Exception("OpenGL already initialized");
    OpenWindow(name.GetText(), width, height, colorBits, fullScreen);
}
