#include <windows.h>

#include <vector>

#include "programs/live/live_window.h"

namespace Ombrel::Live {

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
    {VK_SPACE, PressedKey::Space},
    {VK_LEFT, PressedKey::Left},
    {VK_RIGHT, PressedKey::Right},
    {VK_HOME, PressedKey::Home},
    {VK_BACK, PressedKey::Backspace},
    {'R', PressedKey::R},
    {'M', PressedKey::M},
    {'T', PressedKey::T},
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

// LiveKey of a character message: [ ] , and . are taken as the characters
// they type, which sit on different keys on different keyboards.
bool KeyOfCharacter(WPARAM character, LiveKey& live) {
    const struct {
        WPARAM character;
        PressedKey pressed;
    } Characters[] = {{'[', PressedKey::LeftBracket},
                      {']', PressedKey::RightBracket},
                      {',', PressedKey::Comma},
                      {'.', PressedKey::Period}};
    for (const auto& typed : Characters) {
        if (typed.character != character) continue;
        live = LiveKeyOf(typed.pressed, false);
        return true;
    }
    return false;
}

// The device pack takes one message of its window each frame: a key pressed
// while the scene is drawn is first in the queue when the pack looks, and the
// pack would take it. A message hook of this thread sees every message that
// anyone here takes from the queue, so no key is lost that way.
HHOOK keyHook = nullptr;
std::vector<LiveKey> hookedKeys;

bool KeyOfMessage(const MSG& message, LiveKey& live) {
    if (message.message == WM_KEYDOWN) return KeyOf(message.wParam, live);
    if (message.message == WM_CHAR) return KeyOfCharacter(message.wParam, live);
    return false;
}

void NoteKey(const MSG& message) {
    LiveKey key;
    if (KeyOfMessage(message, key)) hookedKeys.push_back(key);
}

LRESULT CALLBACK SeeTakenMessage(int code, WPARAM removal, LPARAM data) {
    if (code == HC_ACTION && removal == PM_REMOVE) NoteKey(*reinterpret_cast<const MSG*>(data));
    return CallNextHookEx(nullptr, code, removal, data);
}

}  // namespace

bool DemoWindowExists() {
    return DemoWindow() != nullptr;
}

// Keys that are not the program's are turned into their characters, among
// them [ and ].
void TakeLiveKeys(std::vector<LiveKey>& keys) {
    if (keyHook == nullptr)
        keyHook = SetWindowsHookExA(WH_GETMESSAGE, SeeTakenMessage, nullptr, GetCurrentThreadId());
    // Without the hook (it could not be set) the keys taken here are noted
    // here; with it, the hook has noted them already.
    MSG message;
    LiveKey key;
    while (PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
        if (!KeyOf(message.wParam, key)) TranslateMessage(&message);
        if (keyHook == nullptr) NoteKey(message);
    }
    while (PeekMessageA(&message, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        if (keyHook == nullptr) NoteKey(message);
    }
    keys.insert(keys.end(), hookedKeys.begin(), hookedKeys.end());
    hookedKeys.clear();
}

void SetDemoWindowTitle(const std::string& title) {
    HWND window = DemoWindow();
    if (window == nullptr) return;
    char shown[512] = "";
    GetWindowTextA(window, shown, sizeof shown);
    if (title != shown) SetWindowTextA(window, title.c_str());
}

// 0 and 1 stand for the hardware's default rate, which is not told.
int DemoWindowRefreshRate() {
    HDC deviceContext = wglGetCurrentDC();
    if (deviceContext == nullptr) return 0;
    int rate = GetDeviceCaps(deviceContext, VREFRESH);
    return rate > 1 ? rate : 0;
}

// A window's desktop does not go away under it.
void WatchDisplay(void (*)()) {}

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

}  // namespace Ombrel::Live
