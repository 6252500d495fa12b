#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "programs/capture/offscreen_display.h"

namespace {

// SDL's offscreen driver looks at the first eight devices the system lists,
// in the same order: a device's index here is its index there.
const EGLint MostDevices = 8;

// The device functions, extensions of EGL reached through its lookup.
struct DeviceFunctions {
    PFNEGLQUERYDEVICESEXTPROC queryDevices;
    PFNEGLQUERYDEVICESTRINGEXTPROC queryDeviceString;
    PFNEGLGETPLATFORMDISPLAYEXTPROC platformDisplay;
};

bool HasExtension(const char* list, const char* name) {
    if (list == nullptr) return false;
    std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        bool starts = at == list || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

bool FindDeviceFunctions(DeviceFunctions& egl) {
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    // EGL_EXT_device_base is the older name of enumeration and query together.
    bool enumerates = HasExtension(client, "EGL_EXT_device_enumeration") ||
                      HasExtension(client, "EGL_EXT_device_base");
    if (!enumerates || !HasExtension(client, "EGL_EXT_platform_device")) {
        return false;
    }
    egl.queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    egl.queryDeviceString = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
    egl.platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    return egl.queryDevices && egl.queryDeviceString && egl.platformDisplay;
}

// Whether the device's display starts and offers what the device pack asks
// of a window (8 bits a colour, 16 of depth) as a pixel buffer that desktop
// OpenGL draws into: the scene draws with OpenGL 1.1, so OpenGL ES will not do.
bool CanDraw(const DeviceFunctions& egl, EGLDeviceEXT device) {
    EGLDisplay display = egl.platformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
    // clang-format off
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                             EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                             EGL_DEPTH_SIZE, 16,
                             EGL_NONE};
    // clang-format on
    EGLConfig config = nullptr;
    EGLint found = 0;
    bool can = eglBindAPI(EGL_OPENGL_API) && eglChooseConfig(display, wanted, &config, 1, &found) &&
               found > 0;
    // SDL starts the chosen one again for itself.
    eglTerminate(display);
    return can;
}

RenderDevice Describe(const DeviceFunctions& egl, EGLDeviceEXT device) {
    RenderDevice described;
    const char* extensions = egl.queryDeviceString(device, EGL_EXTENSIONS);
    described.software = HasExtension(extensions, "EGL_MESA_device_software");
    const char* file = nullptr;
    if (HasExtension(extensions, "EGL_EXT_device_drm_render_node")) {
        file = egl.queryDeviceString(device, EGL_DRM_RENDER_NODE_FILE_EXT);
    }
    if (file == nullptr && HasExtension(extensions, "EGL_EXT_device_drm")) {
        file = egl.queryDeviceString(device, EGL_DRM_DEVICE_FILE_EXT);
    }
    described.name = described.software ? "software" : file != nullptr ? file : "GPU";
    described.usable = CanDraw(egl, device);
    return described;
}

}  // namespace

std::string UseOffscreenDisplay(const GpuRequest& request) {
    DeviceFunctions egl = {};
    EGLDeviceEXT listed[MostDevices];
    EGLint count = 0;
    if (!FindDeviceFunctions(egl) || !egl.queryDevices(MostDevices, listed, &count)) count = 0;
    std::vector<RenderDevice> devices;
    for (EGLint i = 0; i < count; ++i) devices.push_back(Describe(egl, listed[i]));

    int chosen = ChooseRenderDevice(devices, request);
    if (chosen < 0) return std::string();
    // Hints of the process, read when the device pack opens the display and
    // its OpenGL window; set above any the environment gives. SDL knows the
    // device's hint by the name "SDL_HINT_EGL_DEVICE" itself.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
    SDL_SetHintWithPriority("SDL_HINT_EGL_DEVICE", std::to_string(chosen).c_str(),
                            SDL_HINT_OVERRIDE);
    const RenderDevice& device = devices[static_cast<std::size_t>(chosen)];
    std::string named = "EGL device " + std::to_string(chosen) + " of " + std::to_string(count) +
                        " (" + device.name;
    if (request.gpu >= 0) {
        named += "; " + request.from + " asked for GPU " + std::to_string(request.gpu);
    }
    return named + ")";
}
