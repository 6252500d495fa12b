#pragma once

#include <gtest/gtest.h>

#include <string>

#include "foundation/string.h"
#include "plugin/call.h"
#include "plugin/registry.h"
#include "plugin/variable.h"

// The pack as the host drives it: loaded by bare file name into a registry,
// its two plugins used through calls bound to typed variables, and the window
// it opens looked at and acted on with the desktop's tools.
class DemoWindowTest : public ::testing::Test {
protected:
    static PluginRegistry& Registry();

    DemoWindowTest();
    ~DemoWindowTest() override;

    // OpenGLInit's first start, as the host does it, for a windowed
    // width x height window titled `title`; rethrows what Run throws.
    void OpenWindow(const char* title, int width = 320, int height = 240, bool fullScreen = false);
    // One OpenGLPrint Run at demo time `time`.
    void ShowFrame(float time);
    // Runs frames, up to `limit`, until one throws; returns its message, or
    // an empty text when none threw.
    std::string ShowFramesUntilClosed(int limit = 300);

    // The X window id of a visible window titled exactly `title`, or an
    // empty text when there is none.
    std::string WindowTitled(const std::string& title);
    // The window system shows and removes windows asynchronously: these ask
    // again for up to five seconds.
    std::string WaitForWindow(const std::string& title);
    bool WaitUntilGone(const std::string& title);
    // "mapped WIDTHxHEIGHT" of an X window.
    std::string WindowState(const std::string& window);
    // Mean red, green and blue (0 to 1) of the middle of an X window.
    void MeasureColour(const std::string& window, float colour[3]);
    void PressEscape(const std::string& window);
    void ClickCloseButton(const std::string& window);

    Variable openGL, name, width, height, colorBits, fullScreen, time, count;
    PluginCall init, print;

private:
    String* nameValue;
    IntValue *widthValue, *heightValue, *colorBitsValue, *fullScreenValue, *countValue;
    FloatValue* timeValue;
};
