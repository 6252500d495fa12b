// The window system's part of GLDevice is in its backend file; what stays
// here is plain OpenGL 1.1, the same on every platform.
#include "packs/opengl/gl_device.h"

#include <GL/gl.h>

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
    // The first frame is black.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    ClearBuffers();
    glFlush();
    ShowBackBuffer();
}

void GLDevice::ClearBuffers() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
