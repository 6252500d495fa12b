// Without a display there is no window: OpenGLInit fails with the window
// system's text, and the device it made is already in the variable.
#include <cstdlib>
#include <cstring>

#include "foundation/exception.h"
#include "tests/opengl/demo_window.h"

class NoDisplayTest : public DemoWindowTest {
protected:
    // Runs in a child process of its own, so that the display the other
    // tests use is never opened in it. Exits 0 when the expected failure and
    // state are seen.
    void OpenAndCheck() {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        // No driver asked for by name: the window system picks what it has.
        unsetenv("SDL_VIDEODRIVER");
        try {
            OpenWindow("Kestrelia no display");
        } catch (const Ombrel::Exception& exception) {
            bool published = openGL.value != nullptr && openGL.value->GetSize() == 44;
            init.Stop();
            bool released = openGL.value == nullptr;
            std::exit(std::strcmp(exception.message, "OpenGL : couldn't create window") == 0 &&
                              published && released
                          ? 0
                          : 2);
        }
        std::exit(3);
    }
};

TEST_F(NoDisplayTest, OpenGLInitFailsWithCouldNotCreateWindow) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(OpenAndCheck(), ::testing::ExitedWithCode(0), "")
        << "exit 2: wrong message or device state, 3: a window opened";
}
