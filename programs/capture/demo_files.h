#pragma once

#include <string>

#include "programs/capture/capture_options.h"

// A file of the demo (a pack, "./Data/audio.ogg"): beside the program and in
// the current folder as the host finds it, or in the options' demo folder.
std::string DemoFile(const CaptureOptions& options, const char* name);
