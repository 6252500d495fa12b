// Full screen on the display's own mode: the window covers the display, and
// Escape still closes it and returns the display to its normal mode.
#include <cstdio>
#include <string>

#include "tests/opengl/demo_window.h"
#include "tests/opengl/desktop.h"

class FullScreenTest : public DemoWindowTest {};

TEST_F(FullScreenTest, CoversTheDisplayAndEscapeStillCloses) {
    // The display's own size, so that switching to the mode changes nothing
    // that a virtual display cannot do.
    int displayWidth = 0, displayHeight = 0;
    std::sscanf(RunDesktopCommand("xdotool getdisplaygeometry").c_str(), "%d %d", &displayWidth,
                &displayHeight);
    ASSERT_GT(displayWidth, 0);
    OpenWindow("Kestrelia full screen", displayWidth, displayHeight, true);
    std::string window = WaitForWindow("Kestrelia full screen");
    ASSERT_FALSE(window.empty());
    for (int frame = 0; frame < 10; ++frame) ShowFrame(frame / 60.0f);
    std::string size = std::to_string(displayWidth) + "x" + std::to_string(displayHeight);
    EXPECT_EQ("IsViewable " + size + "\n", WindowState(window));

    PressEscape(window);
    EXPECT_EQ("OpenGL window closed", ShowFramesUntilClosed());
    EXPECT_TRUE(WaitUntilGone("Kestrelia full screen"));
}
