// A windowed demo window is width x height including its frame and title
// bar; its client area, and so the first viewport, is smaller.
#include <windows.h>

#include "packs/opengl/gl_device.h"
#include "tests/opengl/demo_window.h"
#include "tests/opengl/desktop.h"

class OuterSizeTest : public DemoWindowTest {};

TEST_F(OuterSizeTest, TheRequestedSizeIsTheOuterSizeOfTheWindow) {
    OpenWindow("Kestrelia outer size", 320, 240);
    // The pack's own device, as it stored it in the variable.
    HWND window = static_cast<HWND>(static_cast<GLDevice*>(openGL.value)->window);
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(window, &outer));
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(320, outer.right - outer.left);
    EXPECT_EQ(240, outer.bottom - outer.top);
    EXPECT_LT(client.right, 320);
    EXPECT_LT(client.bottom, 240);

    int viewport[4];
    ReadViewport(viewport);
    EXPECT_EQ(client.right, viewport[2]);
    EXPECT_EQ(client.bottom, viewport[3]);
}
