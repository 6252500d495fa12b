// The window class stays registered for the life of the process, so a second
// OpenGLInit Run in the same process cannot register it again.
#include "foundation/exception.h"
#include "tests/opengl/demo_window.h"

class SecondRunTest : public DemoWindowTest {};

TEST_F(SecondRunTest, ASecondRunFailsToRegisterTheWindowClass) {
    OpenWindow("Kestrelia second run");
    Value* first = openGL.value;
    ASSERT_NE(nullptr, first);
    try {
        init.Run();
        FAIL() << "a second Run opened another window";
    } catch (const Ombrel::Exception& exception) {
        EXPECT_STREQ("OpenGL : couldn't registrate class", exception.message);
    }
    // The new device was published before the failure.
    EXPECT_NE(first, openGL.value);
    EXPECT_NE(nullptr, openGL.value);
}
