#pragma once

// The host's two packs, by the bare file names the platform's loader finds
// beside the program. The build gives the platform's suffix (".dll", ".so").
#ifndef OMBREL_PACK_SUFFIX
#error "the build defines OMBREL_PACK_SUFFIX"
#endif

constexpr const char* ScenePackFile = "Vantrope" OMBREL_PACK_SUFFIX;
constexpr const char* DevicePackFile = "Kestrelia" OMBREL_PACK_SUFFIX;
