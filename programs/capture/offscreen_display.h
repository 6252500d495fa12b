#pragma once

#include <string>

#include "programs/capture/gpu_choice.h"

// On Linux without an X server: the demo window opened off screen by SDL's
// offscreen video driver, its OpenGL context made through EGL on a device of
// the machine (offscreen_display_egl.cpp). The device pack's SDL calls are
// served as they are on a display; its window is an EGL pixel buffer of the
// size it asks for, drawn by the device's own driver: the GPU's, or Mesa's
// software renderer on a machine without one.

// Lists the devices, picks one (ChooseRenderDevice) and readies SDL to open
// the next OpenGL window there. Returns how a log names the device, empty
// when no device can draw (the system offers no EGL device). Throws
// Ombrel::Exception when the GPU that --gpu asks for cannot draw.
std::string UseOffscreenDisplay(const GpuRequest& request);
