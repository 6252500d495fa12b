#pragma once

#include "packs/opengl/frame_rate.h"
#include "plugin/contract.h"

// Ends every frame of the demo: presents the frame drawn into the window of
// the "in OpenGL openGL" device, measures the frame rate and clears the back
// buffer for the next frame. Throws when the window is to close.
class OpenGLPrint final : public BasicPlugin<OpenGLPrint> {
public:
    Value** openGL;  // [0] in OpenGL openGL
    Value** time;    // [1] in float time (demo seconds)
    Value** count;   // [2] in int count
    FrameRate rate;  // frames, lastTime, framesPerSecond
    StatusText status;

    OpenGLPrint();
    ~OpenGLPrint() = default;

    const char* GetSignature() override;
    const char* GetName() override;
    void SetArgument(int index, Value** slot) override;
    void Start() override;
    bool Prepare() override;
    void Run() override;
    void Stop() override;
};
