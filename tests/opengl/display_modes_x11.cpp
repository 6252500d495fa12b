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

DisplayModes::DisplayModes() : display_(XOpenDisplay(nullptr)) {}

DisplayModes::~DisplayModes() {
    if (display_ != nullptr) XCloseDisplay(XDisplayOf(display_));
}

bool DisplayModes::Offer(int width, int height) {
    Display* display = XDisplayOf(display_);
    if (display == nullptr) return false;
    XRRScreenResources* screen = XRRGetScreenResources(display, DefaultRootWindow(display));
    if (screen == nullptr || screen->noutput == 0) return false;
    char name[32];
    std::snprintf(name, sizeof name, "%dx%d", width, height);
    XRRModeInfo mode;
    std::memset(&mode, 0, sizeof mode);
    mode.width = width, mode.height = height, mode.dotClock = 60ul * width * height;
    mode.hTotal = width, mode.vTotal = height;
    mode.name = name, mode.nameLength = static_cast<unsigned>(std::strlen(name));
    XRRAddOutputMode(display, screen->outputs[0],
                     XRRCreateMode(display, DefaultRootWindow(display), &mode));
    XRRFreeScreenResources(screen);
    XSync(display, False);
    return true;
}

std::string DisplayModes::Current() {
    Display* display = XDisplayOf(display_);
    if (display == nullptr) return "no display";
    XRRScreenResources* screen = XRRGetScreenResources(display, DefaultRootWindow(display));
    if (screen == nullptr || screen->ncrtc == 0) return "no screen";
    XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, screen, screen->crtcs[0]);
    std::string size = std::to_string(crtc->width) + "x" + std::to_string(crtc->height);
    XRRFreeCrtcInfo(crtc);
    XRRFreeScreenResources(screen);
    return size;
}
