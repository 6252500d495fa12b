// A window of the demo's class receives messages before its running flag
// exists (while it is being created and shown). Close and Escape must then
// change nothing rather than write through a missing block.
#include <windows.h>

#include "tests/opengl/demo_window.h"

class WindowProcedureTest : public DemoWindowTest {};

TEST_F(WindowProcedureTest, CloseAndEscapeBeforeTheRunningFlagExistsChangeNothing) {
    OpenWindow("Kestrelia window procedure");  // registers the class
    HWND early = CreateWindowExA(0, ".oOsOo.", "Kestrelia early", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, early);
    ASSERT_EQ(0, GetWindowLongPtrA(early, GWLP_USERDATA)) << "the new window already has a flag";

    EXPECT_EQ(0, SendMessageA(early, WM_CLOSE, 0, 0));
    EXPECT_EQ(0, SendMessageA(early, WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_EQ(0, SendMessageA(early, WM_KEYDOWN, 'A', 0));
    EXPECT_TRUE(IsWindow(early)) << "the window procedure destroyed the window itself";
    DestroyWindow(early);

    // The demo's own window is still running.
    for (int frame = 0; frame < 5; ++frame) ShowFrame(frame / 60.0f);
}
