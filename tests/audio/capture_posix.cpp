#include <cstdio>
#include <cstdlib>

#include "capture.h"

std::string CaptureOutput(const std::string& name) {
    std::remove(name.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", name.c_str(), 1);
    return name;
}

bool HideOutputDevices() {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    return true;
}

void RestoreOutputDevices() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
}
