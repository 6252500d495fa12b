#include "packs/opengl/frame_rate.h"

#include <cstdio>

void FrameRate::Start() {
    framesPerSecond = 999.0f;
    frames = 0.0f;
    lastTime = 0.0f;
}

void FrameRate::CountFrame(float time) {
    frames = frames + 1.0f;
    float elapsed = time - lastTime;
    if (elapsed >= 1.0f) {
        framesPerSecond = frames / elapsed;
        frames = 0.0f;
        lastTime = time;
    }
}

const char* StatusText::Build(float framesPerSecond, int count) {
    std::snprintf(text, sizeof text, " %3.0f %i", static_cast<double>(framesPerSecond), count);
    return text;
}
