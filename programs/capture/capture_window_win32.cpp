#include <GL/gl.h>
#include <windows.h>

#include "foundation/exception.h"
#include "programs/capture/capture_window.h"
#include "programs/capture/gl_functions.h"

namespace {

typedef BOOL(WINAPI* SwapIntervalFunction)(int);

SIZE ClientSize(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    SIZE size = {client.right - client.left, client.bottom - client.top};
    return size;
}

}  // namespace

void FitDemoWindow(int width, int height) {
    HDC deviceContext = wglGetCurrentDC();
    HWND window = deviceContext != nullptr ? WindowFromDC(deviceContext) : nullptr;
    if (window == nullptr) throw Ombrel::Exception("No OpenGL window to capture");
    SIZE size = ClientSize(window);
    if (size.cx != width || size.cy != height) {
        // The outer size that gives this client area with the window's frame,
        // in the screen's top left corner, so that as much of it as can be
        // is on the screen.
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        size = ClientSize(window);
    }
    if (size.cx != width || size.cy != height) {
        throw Ombrel::Exception("The demo window is %ldx%ld, not the %dx%d asked for", size.cx,
                                size.cy, width, height);
    }
    glViewport(0, 0, width, height);
    auto swapInterval =
        reinterpret_cast<SwapIntervalFunction>(FindGLFunction("wglSwapIntervalEXT"));
    if (swapInterval != nullptr) swapInterval(0);
}

// The window, its device context and its rendering context go in the order
// the device pack takes them down, on this thread, with everything drawn
// finished first: the display driver's own threads must find nothing in
// flight when the process ends.
void LeaveDemoWindow() {
    HGLRC renderingContext = wglGetCurrentContext();
    HDC deviceContext = wglGetCurrentDC();
    HWND window = deviceContext != nullptr ? WindowFromDC(deviceContext) : nullptr;
    if (renderingContext == nullptr) return;
    glFinish();
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(renderingContext);
    if (window != nullptr) {
        ReleaseDC(window, deviceContext);
        DestroyWindow(window);
    }
}
