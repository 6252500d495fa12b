// The window shows the host's icon, as the window class's "ICON" does on
// Windows.
#include <string>

#include "tests/opengl/demo_window.h"
#include "tests/opengl/desktop.h"

class WindowIconTest : public DemoWindowTest {};

TEST_F(WindowIconTest, TheWindowShowsTheHostIcon) {
    OpenWindow("Kestrelia icon");
    std::string window = WaitForWindow("Kestrelia icon");
    ASSERT_FALSE(window.empty());
    // The icon property starts with the picture's width and height.
    std::string icon = RunDesktopCommand("xprop -id " + window +
                                         " -notype -f _NET_WM_ICON 32c '=$0,$1\\n' _NET_WM_ICON");
    EXPECT_EQ("_NET_WM_ICON=32,32\n", icon) << "the window has no icon of the host's size";
}
