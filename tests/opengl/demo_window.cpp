#include "tests/opengl/demo_window.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "foundation/exception.h"
#include "host/pack_files.h"
#include "tests/opengl/desktop.h"

using namespace Ombrel::Host;

PluginRegistry& DemoWindowTest::Registry() {
    static PluginRegistry* registry = [] {
        auto* made = new PluginRegistry();
        made->AddPack(DevicePackFile);
        return made;
    }();
    return *registry;
}

DemoWindowTest::DemoWindowTest()
    : init(Registry(), "OpenGLInit"),
      print(Registry(), "OpenGLPrint"),
      nameValue(new String()),
      widthValue(new IntValue(320)),
      heightValue(new IntValue(240)),
      colorBitsValue(new IntValue(32)),
      fullScreenValue(new IntValue(0)),
      countValue(new IntValue(32)),
      timeValue(new FloatValue(0.0f)) {
    const char* types[][2] = {{"openGL", "OpenGL"}, {"name", "String"},   {"width", "int"},
                              {"height", "int"},    {"colorBits", "int"}, {"fullScreen", "bool"},
                              {"time", "float"},    {"count", "int"}};
    Variable* variables[] = {&openGL,    &name,       &width, &height,
                             &colorBits, &fullScreen, &time,  &count};
    for (int i = 0; i < 8; ++i) {
        variables[i]->name.Assign(types[i][0]);
        variables[i]->typeName.Assign(types[i][1]);
    }
    name.value = nameValue;
    width.value = widthValue;
    height.value = heightValue;
    colorBits.value = colorBitsValue;
    fullScreen.value = fullScreenValue;
    time.value = timeValue;
    count.value = countValue;
}

DemoWindowTest::~DemoWindowTest() {
    init.Stop();
    delete nameValue;
    delete widthValue;
    delete heightValue;
    delete colorBitsValue;
    delete fullScreenValue;
    delete countValue;
    delete timeValue;
}

void DemoWindowTest::OpenWindow(const char* title, int pixelsWide, int pixelsHigh,
                                bool wholeScreen) {
    nameValue->Assign(title);
    fullScreenValue->value = wholeScreen ? 1 : 0;
    widthValue->value = pixelsWide;
    heightValue->value = pixelsHigh;
    init.mode = PluginCall::ScheduleOnce;
    init.Bind(0, openGL);
    init.Bind(1, name);
    init.Bind(2, width);
    init.Bind(3, height);
    init.Bind(4, colorBits);
    init.Bind(5, fullScreen);
    print.Bind(0, openGL);
    print.Bind(1, time);
    print.Bind(2, count);
    init.StartIfDue(0.0f);
    print.StartIfDue(0.0f);
    ASSERT_TRUE(init.Prepare());
    ASSERT_TRUE(print.Prepare());
    init.Run();
}

void DemoWindowTest::ShowFrame(float demoTime) {
    timeValue->value = demoTime;
    print.Run();
}

std::string DemoWindowTest::ShowFramesUntilClosed(int limit) {
    for (int frame = 0; frame < limit; ++frame) {
        try {
            ShowFrame(frame / 60.0f);
        } catch (const Ombrel::Exception& exception) {
            return exception.message;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

std::string DemoWindowTest::WindowTitled(const std::string& title) {
    std::string found =
        RunDesktopCommand("xdotool search --onlyvisible --name '^" + title + "$' | head -n 1");
    while (!found.empty() && (found.back() == '\n' || found.back() == '\r')) found.pop_back();
    return found;
}

std::string DemoWindowTest::WaitForWindow(const std::string& title) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::string window = WindowTitled(title);
        if (!window.empty()) return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
}

bool DemoWindowTest::WaitUntilGone(const std::string& title) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (WindowTitled(title).empty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

std::string DemoWindowTest::WindowState(const std::string& window) {
    return RunDesktopCommand("xwininfo -id " + window +
                             " | awk '/Map State:/ {state=$3} /Width:/ {w=$2} /Height:/ {h=$2} "
                             "END {print state, w \"x\" h}'");
}

void DemoWindowTest::MeasureColour(const std::string& window, float colour[3]) {
    // The middle half of the window, cut from the whole screen: reading the
    // window itself would also walk the window system's own child windows.
    std::string measured =
        RunDesktopCommand("import -window root -crop $(xwininfo -id " + window +
                          " | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}"
                          " /Width:/ {w=$2} /Height:/ {h=$2}"
                          " END {printf \"%dx%d+%d+%d\", w/2, h/2, x+w/4, y+h/4}')"
                          " +repage -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:");
    colour[0] = colour[1] = colour[2] = -1.0f;
    std::sscanf(measured.c_str(), "%f %f %f", &colour[0], &colour[1], &colour[2]);
}

void DemoWindowTest::PressEscape(const std::string& window) {
    // The pointer over the window and the keyboard focus on it, as after a
    // click; waiting for the focus is left out, since a full-screen window of
    // wine's is not handed the focus the way others are.
    RunDesktopCommand("xdotool mousemove --window " + window + " 2 2 windowfocus " + window +
                      " sleep 0.2 key Escape");
}

void DemoWindowTest::ClickCloseButton(const std::string& window) {
    RunDesktopCommand("python3 " OMBREL_CLOSE_SCRIPT " " + window);
}
