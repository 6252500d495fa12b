#pragma once

#include "foundation/stream.h"
#include "foundation/string.h"

// The value behind the signature type "OpenGL": the demo window with its
// device context and rendering context. OpenGLInit makes one per Run and
// publishes it through its "out" slot; OpenGLPrint presents frames on it.
//
// The handles are the window system's own, kept opaque here: HWND, HDC and
// HGLRC on Windows; on Linux the SDL window (which is also the drawable, so it
// stands as the device context) and the SDL GL context. The running flag and
// any other backend state hang off the window, never off this object.
class GLDevice final : public Value {
public:
    void* window;
    void* deviceContext;
    void* glContext;
    bool initialized;

    GLDevice();
    ~GLDevice() = default;
    GLDevice(const GLDevice&) = delete;
    GLDevice& operator=(const GLDevice&) = delete;

    // A device is not serialized: both leave the stream untouched.
    void Write(Stream& stream) override;
    void Read(Stream& stream) override;
    // The contract's figure for a device, the same on every data model.
    int GetSize() override;

    // Opens the window titled `name` (the pack's own copy of the host's
    // String) with its rendering context, current on the calling thread, and
    // shows a first black frame. Throws "OpenGL already initialized" on a
    // device that already has a window, and the window system's failures.
    void Init(String name, int width, int height, int colorBits, bool fullScreen);

    // Handles at most one pending window event, shows the back buffer, and
    // when the user has asked to close the window tears it down and throws
    // DeviceMessages::WindowClosed. A quit request throws
    // DeviceMessages::QuitRequested (window_closed.h).
    void Present();

    // Clears the colour and depth buffers of the current rendering context.
    static void ClearBuffers();

private:
    // The window system's part of Init, after the initialized check: the
    // window, its contexts and the running flag.
    void OpenWindow(const char* title, int width, int height, int colorBits, bool fullScreen);
    // Swaps the window's buffers: the back buffer becomes visible.
    void ShowBackBuffer();
};
