#pragma once

#include "packs/opengl/frame_rate.h"
#include "plugin/argument_list.h"
#include "plugin/contract.h"

// Two blanks before "time" in the signature text, which is part of what the
// pack publishes: the blank after "float" is the second.
#define OPENGL_PRINT_ARGUMENTS(X) \
    X(openGL, "in OpenGL")        \
    X(time, "in float ")          \
    X(count, "in int")

// Ends every frame of the demo: presents the frame drawn into the window of
// the "in OpenGL openGL" device, measures the frame rate and clears the back
// buffer for the next frame. Throws when the window is to close.
class OpenGLPrint final : public BasicPlugin<OpenGLPrint> {
public:
    OMBREL_DECLARE_ARGUMENTS(Arguments, OPENGL_PRINT_ARGUMENTS)
    ArgumentSlotTable<Arguments> slots;  // the time is in demo seconds
    FrameRate rate;                      // frames, lastTime, framesPerSecond
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
