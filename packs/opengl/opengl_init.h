#pragma once

#include "packs/opengl/gl_device.h"
#include "plugin/argument_list.h"
#include "plugin/contract.h"

#define OPENGL_INIT_ARGUMENTS(X) \
    X(openGL, "out OpenGL")      \
    X(name, "in String")         \
    X(width, "in int")           \
    X(height, "in int")          \
    X(colorBits, "in int")       \
    X(fullScreen, "in bool")

// Opens the demo window: makes a new GLDevice, stores it in the variable bound
// to "out OpenGL openGL" and initializes it from the other arguments.
class OpenGLInit final : public BasicPlugin<OpenGLInit> {
public:
    OMBREL_DECLARE_ARGUMENTS(Arguments, OPENGL_INIT_ARGUMENTS)
    ArgumentSlotTable<Arguments> slots;

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
