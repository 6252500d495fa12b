// Full screen: the window covers the display, Escape still closes it, and the
// display gets its own mode back however the demo ends.
#include <cstdio>
#include <string>

#include "host/display.h"
#include "tests/opengl/demo_window.h"
#include "tests/opengl/desktop.h"
#include "tests/opengl/display_modes.h"

using namespace Ombrel::Host;

class FullScreenTest : public DemoWindowTest {
protected:
    DisplayModes modes;
};

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

TEST_F(FullScreenTest, ClosingTheWindowGivesTheDisplayItsOwnModeBack) {
    ASSERT_TRUE(modes.Offer(640, 480));
    std::string own = modes.Current();
    OpenWindow("Kestrelia mode switch", 640, 480, true);
    std::string window = WaitForWindow("Kestrelia mode switch");
    ASSERT_FALSE(window.empty());
    for (int frame = 0; frame < 10; ++frame) ShowFrame(frame / 60.0f);
    EXPECT_EQ("640x480", modes.Current()) << "the display did not switch to the demo's mode";

    PressEscape(window);
    EXPECT_EQ("OpenGL window closed", ShowFramesUntilClosed());
    EXPECT_EQ(own, modes.Current());
}

TEST_F(FullScreenTest, AfterAQuitRequestTheHostGivesTheDisplayItsOwnModeBack) {
    ASSERT_TRUE(modes.Offer(640, 480));
    std::string own = modes.Current();
    OpenWindow("Kestrelia quit in full screen", 640, 480, true);
    ASSERT_FALSE(WaitForWindow("Kestrelia quit in full screen").empty());
    PostQuitRequest();
    EXPECT_EQ("Opengl window closed", ShowFramesUntilClosed());
    EXPECT_EQ("640x480", modes.Current()) << "a quit request leaves the window as it is";
    // What the host's frame loop does when an exception ends it.
    RestoreDisplayMode();
    EXPECT_EQ(own, modes.Current());
}
