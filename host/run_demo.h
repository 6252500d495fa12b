#pragma once

namespace Ombrel::Host {

// The demo: loads the packs, shows the setup dialog, builds the demo graph,
// starts the plugins and the music and runs frames until a frame throws.
// Failures before the frames start leave as Ombrel::Exception; the end of the
// frames (the window closed, Escape) returns normally. The command line is
// not used.
void RunDemo(const char* commandLine);

}  // namespace Ombrel::Host
