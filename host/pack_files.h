#pragma once

// The host's two packs, by the bare file names the platform's loader finds
// beside the program. The build gives the platform's suffix (".dll", ".so").
#ifndef OMBREL_PACK_SUFFIX
#error "the build defines OMBREL_PACK_SUFFIX"
#endif

#include "host/pack_names.h"

namespace Ombrel::Host {

constexpr const char* ScenePackFile = OMBREL_SCENE_PACK OMBREL_PACK_SUFFIX;
constexpr const char* DevicePackFile = OMBREL_DEVICE_PACK OMBREL_PACK_SUFFIX;

}  // namespace Ombrel::Host
