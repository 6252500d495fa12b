#pragma once

#include "programs/live/live_options.h"

namespace Ombrel::Live {

// Runs the session in this process, as the supervisor started it: the demo's
// packs in the host's graph, in a window, with the music, on the timeline the
// author moves by keys and by the control channel, reloading each pack when
// its file changes. It takes up the state given with --resume and tells the
// supervisor its state through the channel. Ends with Escape, the window's
// close button, "quit" or Ctrl-C; returns the exit status.
int RunLiveSession(const LiveOptions& options);

// The exit status of a session whose display has gone: the supervisor ends
// too, rather than take it for a crash and start the session again on
// whatever display then has that name.
const int DisplayGoneStatus = 75;

}  // namespace Ombrel::Live
