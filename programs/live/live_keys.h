#pragma once

namespace Ombrel::Live {

// The keys of the demo window that the live-development program takes, and
// what each one does. The window's backend (live_window_sdl.cpp,
// live_window_win32.cpp) names the key pressed; the meaning is kept here once.

// What a key does.
enum class LiveKey {
    PlayPause,     // Space
    Back,          // Left: 1 s back
    Forward,       // Right: 1 s forward
    BackLong,      // Shift+Left: 10 s back
    ForwardLong,   // Shift+Right: 10 s forward
    Home,          // Home: the start
    FrameBack,     // ,: pauses, one frame back
    FrameForward,  // .: pauses, one frame forward
    AddMarker,     // M: a marker at the current time, named m1, m2...
    LoopStart,     // [
    LoopEnd,       // ]
    LoopClear,     // Backspace
    Reload,        // R
    Timeline,      // T: the timeline page in the browser
    End            // Escape
};

// The keys taken, whatever the window system calls them. [ and ] are the
// characters they type, which sit on different keys on different keyboards;
// so are , and .
enum class PressedKey {
    Space,
    Left,
    Right,
    Home,
    Comma,
    Period,
    M,
    LeftBracket,
    RightBracket,
    Backspace,
    R,
    T,
    Escape
};

// What `pressed` does, with Shift held or not.
LiveKey LiveKeyOf(PressedKey pressed, bool shift);

// How far a step key (Back, Forward and their long forms) moves the time, in
// seconds: negative back; 0 for any other key.
double StepSeconds(LiveKey key);

}  // namespace Ombrel::Live
