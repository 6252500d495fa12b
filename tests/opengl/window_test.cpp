// The real pack on a display, loaded and driven as the host drives it.
#include <chrono>
#include <string>
#include <thread>

#include "foundation/exception.h"
#include "packs/opengl/opengl_print.h"
#include "tests/opengl/demo_window.h"
#include "tests/opengl/desktop.h"

class WindowTest : public DemoWindowTest {
protected:
    void ExpectColour(const std::string& window, float red, float green, float blue,
                      const char* what) {
        float colour[3];
        MeasureColour(window, colour);
        EXPECT_NEAR(red, colour[0], 0.05f) << what;
        EXPECT_NEAR(green, colour[1], 0.05f) << what;
        EXPECT_NEAR(blue, colour[2], 0.05f) << what;
    }

    // Opens a window titled `title`, shows a frame, does `close` to the
    // window, and expects the next frames to end the demo and the window to
    // go.
    template <typename Close>
    void ExpectClosedBy(const char* title, Close close) {
        OpenWindow(title);
        std::string window = WaitForWindow(title);
        ASSERT_FALSE(window.empty());
        ShowFrame(0.0f);

        close(window);
        EXPECT_EQ("OpenGL window closed", ShowFramesUntilClosed());
        EXPECT_TRUE(WaitUntilGone(title)) << "the window stayed after closing";
    }
};

TEST_F(WindowTest, OpensAVisibleTitledWindowWhoseFirstFrameIsBlack) {
    OpenWindow("Kestrelia first frame");
    ASSERT_NE(nullptr, openGL.value) << "OpenGLInit stored no device";
    EXPECT_EQ(44, openGL.value->GetSize());

    std::string window = WaitForWindow("Kestrelia first frame");
    ASSERT_FALSE(window.empty()) << "no visible window titled \"Kestrelia first frame\"";
    std::string state = WindowState(window);
    EXPECT_EQ(0u, state.rfind("IsViewable", 0)) << state;
    ExpectColour(window, 0.0f, 0.0f, 0.0f, "the first frame");

    // A frame that a scene painted is what the next OpenGLPrint shows.
    PaintBackBuffer(1.0f, 0.0f, 0.0f);
    ShowFrame(0.1f);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ExpectColour(window, 1.0f, 0.0f, 0.0f, "a red frame after OpenGLPrint");
}

TEST_F(WindowTest, EscapeClosesTheWindowAtTheNextFrame) {
    ExpectClosedBy("Kestrelia escape", [this](const std::string& window) { PressEscape(window); });
}

TEST_F(WindowTest, CloseButtonClosesTheWindowAtTheNextFrame) {
    ExpectClosedBy("Kestrelia close button",
                   [this](const std::string& window) { ClickCloseButton(window); });
}

TEST_F(WindowTest, AQuitRequestEndsTheDemoAndLeavesTheWindow) {
    OpenWindow("Kestrelia quit");
    std::string window = WaitForWindow("Kestrelia quit");
    ASSERT_FALSE(window.empty());

    PostQuitRequest();
    EXPECT_EQ("Opengl window closed", ShowFramesUntilClosed());
    EXPECT_EQ(window, WindowTitled("Kestrelia quit")) << "the window went away on a quit request";
}

TEST_F(WindowTest, EachFrameReadsTheTimeAfreshAndMeasuresTheRate) {
    OpenWindow("Kestrelia frames");
    // The pack's own object, as the registry handed it out.
    const OpenGLPrint& printer = *static_cast<OpenGLPrint*>(print.plugin);
    ShowFrame(0.5f);
    EXPECT_STREQ(" 999 32", printer.status.GetText());
    for (int frame = 1; frame <= 60; ++frame) ShowFrame(0.5f + frame / 30.0f);
    EXPECT_STREQ("  30 32", printer.status.GetText());
    EXPECT_FALSE(WindowTitled("Kestrelia frames").empty()) << "the window closed by itself";
}

TEST_F(WindowTest, TheViewportFollowsTheDrawableAreaOfTheWindow) {
    OpenWindow("Kestrelia viewport");
    std::string window = WaitForWindow("Kestrelia viewport");
    ASSERT_FALSE(window.empty());
    for (int frame = 0; frame < 30; ++frame) ShowFrame(frame / 60.0f);
    int viewport[4];
    ReadViewport(viewport);
    // The X window titled so is the drawable area of the window.
    std::string size = std::to_string(viewport[2]) + "x" + std::to_string(viewport[3]);
    EXPECT_EQ("IsViewable " + size + "\n", WindowState(window));

    RunDesktopCommand("xdotool windowsize --sync " + window + " 400 300");
    for (int frame = 30; frame < 90; ++frame) ShowFrame(frame / 60.0f);
    ReadViewport(viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(400, viewport[2]) << "after the window was resized to 400 x 300";
    EXPECT_EQ(300, viewport[3]) << "after the window was resized to 400 x 300";
}
