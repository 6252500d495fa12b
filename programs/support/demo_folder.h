#pragma once

#include <string>

#include "foundation/exception.h"
#include "plugin/registry.h"

// The demo's files as the programs beside the host find them without the
// setup dialog: the packs and the music of the current folder (a pack by its
// bare name, beside the program, as the host loads it), or of a folder given.

// `name` as the host names it ("Vantrope.so", "./Data/audio.ogg"), in
// `folder`; unchanged when `folder` is empty.
std::string DemoFile(const std::string& folder, const char* name);

// The host's message for a pack that did not load, with the loader's own
// reason on a line of its own when it gives one.
Ombrel::Exception WithLoaderReason(const Ombrel::Exception& failure);

// Adds the pack as the host does; a failure passes on with the loader's
// reason.
void AddDemoPack(PluginRegistry& registry, const std::string& file);
