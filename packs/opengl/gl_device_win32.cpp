// The demo window with Win32 and WGL. The running flag is one byte in a
// movable global memory block whose handle sits in the window's user-data
// word, so that the window procedure reaches it from the window alone. The
// word is pointer-sized: a handle does not fit a LONG on 64-bit Windows.
#include <GL/gl.h>
#include <windows.h>

#include "foundation/exception.h"
#include "packs/opengl/gl_device.h"
#include "packs/opengl/window_closed.h"

namespace {

const char* const ClassName = ".oOsOo.";

HWND WindowOf(const GLDevice& device) {
    return static_cast<HWND>(device.window);
}

// Writes the running flag. A message that arrives before the flag's block
// exists (while the window is being shown) finds no block and changes nothing.
void SetRunning(HWND window, BYTE running) {
    HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (block == nullptr) return;
    BYTE* flag = static_cast<BYTE*>(GlobalLock(block));
    if (flag == nullptr) return;
    *flag = running;
    GlobalUnlock(block);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            RECT client;
            GetClientRect(window, &client);
            glViewport(0, 0, client.right, client.bottom);
            return 0;
        }
        case WM_CLOSE:
            // The window stays until the next frame sees the flag down.
            SetRunning(window, 0);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) SetRunning(window, 0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "ICON");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass) != 0;
}

// Temporarily switches the display to width x height at colorBits.
void SwitchDisplayMode(int width, int height, int colorBits) {
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = 148;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = colorBits;
    ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

// 32 colour bits and 16 depth bits, double buffered, whatever the display's
// depth.
bool SetupPixelFormat(HDC deviceContext) {
    PIXELFORMATDESCRIPTOR request;
    ZeroMemory(&request, sizeof request);
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    request.cDepthBits = 16;
    int format = ChoosePixelFormat(deviceContext, &request);
    if (format == 0) throw Ombrel::Exception("OpenGL: ChoosePixelFormat failed");
    if (!SetPixelFormat(deviceContext, format, &request))
        throw Ombrel::Exception("OpenGL: SetPixelFormat failed");
    return true;
}

}  // namespace

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the pixel format request is 40 bytes");

void GLDevice::OpenWindow(const char* title, int width, int height, int colorBits,
                          bool fullScreen) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(instance))
        throw Ombrel::Exception("OpenGL : couldn't registrate class");

    DWORD style;
    if (fullScreen) {
        SwitchDisplayMode(width, height, colorBits);
        ShowCursor(FALSE);
        style = WS_POPUP;
    } else {
        style = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    }
    HWND created = CreateWindowExA(0, ClassName, title, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                                   height, nullptr, nullptr, instance, nullptr);
    if (created == nullptr) throw Ombrel::Exception("OpenGL : couldn't create window");
    window = created;

    HDC context = GetDC(created);
    deviceContext = context;
    SetupPixelFormat(context);
    HGLRC renderingContext = wglCreateContext(context);
    glContext = renderingContext;
    wglMakeCurrent(context, renderingContext);

    ShowWindow(created, SW_SHOW);
    UpdateWindow(created);
    initialized = true;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
    if (block == nullptr) throw Ombrel::Exception("Error initializing openGL window");
    SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    BYTE* flag = static_cast<BYTE*>(GlobalLock(block));
    if (flag == nullptr) throw Ombrel::Exception("Error initializing openGL window");
    *flag = 1;
    GlobalUnlock(block);
}

// The per-frame path: PeekMessageA never blocks, and GetMessageA is called
// only when a message is known to be waiting.
void GLDevice::Present() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&message, nullptr, 0, 0) == 0)
            throw Ombrel::Exception("%s", DeviceMessages::QuitRequested);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    glFlush();
    ShowBackBuffer();

    HWND shown = WindowOf(*this);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(shown, GWLP_USERDATA));
    BYTE* flag = block != nullptr ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
    if (flag == nullptr || *flag != 0) {
        if (flag != nullptr) GlobalUnlock(block);
        return;
    }

    ChangeDisplaySettingsA(nullptr, 0);
    if (glContext != nullptr) wglDeleteContext(static_cast<HGLRC>(glContext));
    if (deviceContext != nullptr) ReleaseDC(shown, static_cast<HDC>(deviceContext));
    GlobalUnlock(block);
    DestroyWindow(shown);
    throw Ombrel::Exception("%s", DeviceMessages::WindowClosed);
}

void GLDevice::ShowBackBuffer() {
    SwapBuffers(static_cast<HDC>(deviceContext));
}
