#pragma once

// OpenGLPrint's frame-rate measure: frames counted since the last update, the
// demo time of that update and the last measured rate, in this order.
struct FrameRate {
    float frames;
    float lastTime;
    float framesPerSecond;

    // 999 stands for "not measured yet": no full second has passed.
    void Start();
    // Counts one frame shown at demo time `time`. Once at least one second has
    // passed since the last update the rate becomes the frames counted since
    // then (this one included) over the time elapsed, and counting restarts.
    void CountFrame(float time);
};

// The status line " %3.0f %i" (rate, frame count) built every frame in place.
// It fits 31 characters and is cut there; building it never allocates.
class StatusText {
public:
    static const int Capacity = 32;

    StatusText() { text[0] = '\0'; }
    const char* Build(float framesPerSecond, int count);
    const char* GetText() const { return text; }

private:
    char text[Capacity];
};
