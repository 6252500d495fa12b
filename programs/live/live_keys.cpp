#include "programs/live/live_keys.h"

namespace Ombrel::Live {

namespace {

struct Binding {
    PressedKey pressed;
    LiveKey plain;
    LiveKey shifted;
};

// Every PressedKey, with what it does.
const Binding Bindings[] = {
    {PressedKey::Space, LiveKey::PlayPause, LiveKey::PlayPause},
    {PressedKey::Left, LiveKey::Back, LiveKey::BackLong},
    {PressedKey::Right, LiveKey::Forward, LiveKey::ForwardLong},
    {PressedKey::Home, LiveKey::Home, LiveKey::Home},
    {PressedKey::Comma, LiveKey::FrameBack, LiveKey::FrameBack},
    {PressedKey::Period, LiveKey::FrameForward, LiveKey::FrameForward},
    {PressedKey::M, LiveKey::AddMarker, LiveKey::AddMarker},
    {PressedKey::LeftBracket, LiveKey::LoopStart, LiveKey::LoopStart},
    {PressedKey::RightBracket, LiveKey::LoopEnd, LiveKey::LoopEnd},
    {PressedKey::Backspace, LiveKey::LoopClear, LiveKey::LoopClear},
    {PressedKey::R, LiveKey::Reload, LiveKey::Reload},
    {PressedKey::T, LiveKey::Timeline, LiveKey::Timeline},
    {PressedKey::Escape, LiveKey::End, LiveKey::End},
};

struct Step {
    LiveKey key;
    double seconds;
};

const Step Steps[] = {
    {LiveKey::Back, -1.0},
    {LiveKey::Forward, 1.0},
    {LiveKey::BackLong, -10.0},
    {LiveKey::ForwardLong, 10.0},
};

}  // namespace

LiveKey LiveKeyOf(PressedKey pressed, bool shift) {
    for (const Binding& binding : Bindings) {
        if (binding.pressed == pressed) return shift ? binding.shifted : binding.plain;
    }
    return LiveKey::End;  // not reached: every key has its binding
}

double StepSeconds(LiveKey key) {
    for (const Step& step : Steps) {
        if (step.key == key) return step.seconds;
    }
    return 0.0;
}

}  // namespace Ombrel::Live
