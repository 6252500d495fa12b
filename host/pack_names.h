#pragma once

// The host's two packs by name: their files add the platform's suffix (see
// pack_files.h), and the demo graph says which plugins it takes from each.
#define OMBREL_SCENE_PACK "Vantrope"
#define OMBREL_DEVICE_PACK "Kestrelia"
