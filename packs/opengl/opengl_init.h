#pragma once

#include "packs/opengl/gl_device.h"
#include "plugin/contract.h"

// Opens the demo window: makes a new GLDevice, stores it in the variable bound
// to "out OpenGL openGL" and initializes it from the other arguments.
class OpenGLInit final : public BasicPlugin<OpenGLInit> {
public:
    // Argument slots, in this order (argument index in brackets).
    Value** openGL;      // [0] out OpenGL openGL
    Value** width;       // [2] in int width
    Value** height;      // [3] in int height
    Value** colorBits;   // [4] in int colorBits
    Value** fullScreen;  // [5] in bool fullScreen
    Value** name;        // [1] in String name

    OpenGLInit();
    ~OpenGLInit() = default;

    const char* GetSignature() override;
    const char* GetName() override;
    void SetArgument(int index, Value** slot) override;
    void Start() override;
    bool Prepare() override;
    void Run() override;
    // Deletes the device that Run stored, if the variable still holds it.
    void Stop() override;

private:
    // The last device this object's Run made: the only value Stop may
    // delete, since the pack frees nothing another module allocated.
    GLDevice* device;
};
