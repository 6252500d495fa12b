#include <windows.h>

#include "tools/live/live_window.h"

namespace {

// The device pack's window class, as the demo window's is named.
const char* const WindowClass = ".oOsOo.";

HWND DemoWindow() {
    HDC deviceContext = wglGetCurrentDC();
    return deviceContext != nullptr ? WindowFromDC(deviceContext) : nullptr;
}

bool KeyOf(WPARAM code, LiveKey& live) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (code) {
        case VK_SPACE:
            live = LiveKey::PlayPause;
            return true;
        case VK_LEFT:
            live = shift ? LiveKey::BackLong : LiveKey::Back;
            return true;
        case VK_RIGHT:
            live = shift ? LiveKey::ForwardLong : LiveKey::Forward;
            return true;
        case VK_HOME:
            live = LiveKey::Home;
            return true;
        case VK_BACK:
            live = LiveKey::LoopClear;
            return true;
        case 'R':
            live = LiveKey::Reload;
            return true;
        case VK_ESCAPE:
            live = LiveKey::End;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool DemoWindowExists() {
    return DemoWindow() != nullptr;
}

// [ and ] are taken as the characters they type, which sit on different keys
// on different keyboards: the other keys are turned into their characters.
void TakeLiveKeys(std::vector<LiveKey>& keys) {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
        LiveKey key;
        if (KeyOf(message.wParam, key)) {
            keys.push_back(key);
        } else {
            TranslateMessage(&message);
        }
    }
    while (PeekMessageA(&message, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        if (message.wParam == '[') keys.push_back(LiveKey::LoopStart);
        if (message.wParam == ']') keys.push_back(LiveKey::LoopEnd);
    }
}

void SetDemoWindowTitle(const std::string& title) {
    HWND window = DemoWindow();
    if (window != nullptr) SetWindowTextA(window, title.c_str());
}

void RequestDemoWindowClose() {
    HWND window = DemoWindow();
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
}

void DestroyDemoWindow() {
    HDC deviceContext = wglGetCurrentDC();
    HGLRC context = wglGetCurrentContext();
    HWND window = deviceContext != nullptr ? WindowFromDC(deviceContext) : nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (context != nullptr) wglDeleteContext(context);
    if (window != nullptr) {
        ReleaseDC(window, deviceContext);
        DestroyWindow(window);
    }
}

void ForgetDemoWindowClass() {
    UnregisterClassA(WindowClass, GetModuleHandleA(nullptr));
}
