#include <windows.h>

#include "tools/live/live_window.h"

namespace {

// The device pack's window class, as the demo window's is named.
const char* const WindowClass = ".oOsOo.";

HWND DemoWindow() {
    HDC deviceContext = wglGetCurrentDC();
    return deviceContext != nullptr ? WindowFromDC(deviceContext) : nullptr;
}

struct KeyName {
    WPARAM code;
    PressedKey pressed;
};

// The keys taken as they are pressed; [ and ] are taken as characters.
const KeyName Keys[] = {
    {VK_SPACE, PressedKey::Space},    {VK_LEFT, PressedKey::Left},
    {VK_RIGHT, PressedKey::Right},    {VK_HOME, PressedKey::Home},
    {VK_BACK, PressedKey::Backspace}, {'R', PressedKey::R},
    {VK_ESCAPE, PressedKey::Escape},
};

bool KeyOf(WPARAM code, LiveKey& live) {
    for (const KeyName& name : Keys) {
        if (name.code != code) continue;
        live = LiveKeyOf(name.pressed, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return false;
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
        if (message.wParam == '[') keys.push_back(LiveKeyOf(PressedKey::LeftBracket, false));
        if (message.wParam == ']') keys.push_back(LiveKeyOf(PressedKey::RightBracket, false));
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
