#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstring>

#include "tests/opengl/display_modes.h"

namespace {

Display* XDisplayOf(void* display) {
    return static_cast<Display*>(display);
}

}  // namespace

DisplayModes::DisplayModes() : display(XOpenDisplay(nullptr)) {}

DisplayModes::~DisplayModes() {
    if (display != nullptr) XCloseDisplay(XDisplayOf(display));
}

bool DisplayModes::Offer(int width, int height) {
    Display* connection = XDisplayOf(display);
    if (connection == nullptr) return false;
    XRRScreenResources* screen = XRRGetScreenResources(connection, DefaultRootWindow(connection));
    if (screen == nullptr || screen->noutput == 0) return false;
    char name[32];
    std::snprintf(name, sizeof name, "%dx%d", width, height);
    // The display keeps a mode that an earlier test offered (it does not
    // reset between clients), and refuses a second mode of the same name.
    for (int i = 0; i < screen->nmode; ++i) {
        if (std::strcmp(screen->modes[i].name, name) != 0) continue;
        XRRAddOutputMode(connection, screen->outputs[0], screen->modes[i].id);
        XRRFreeScreenResources(screen);
        XSync(connection, False);
        return true;
    }
    XRRModeInfo mode;
    std::memset(&mode, 0, sizeof mode);
    mode.width = width, mode.height = height, mode.dotClock = 60ul * width * height;
    mode.hTotal = width, mode.vTotal = height;
    mode.name = name, mode.nameLength = static_cast<unsigned>(std::strlen(name));
    XRRAddOutputMode(connection, screen->outputs[0],
                     XRRCreateMode(connection, DefaultRootWindow(connection), &mode));
    XRRFreeScreenResources(screen);
    XSync(connection, False);
    return true;
}

std::string DisplayModes::Current() {
    Display* connection = XDisplayOf(display);
    if (connection == nullptr) return "no display";
    XRRScreenResources* screen = XRRGetScreenResources(connection, DefaultRootWindow(connection));
    if (screen == nullptr || screen->ncrtc == 0) return "no screen";
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(connection, screen, screen->crtcs[0]);
    std::string size = std::to_string(crtc->width) + "x" + std::to_string(crtc->height);
    XRRFreeCrtcInfo(crtc);
    XRRFreeScreenResources(screen);
    return size;
}
