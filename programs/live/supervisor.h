#pragma once

#include <string>
#include <vector>

#include "programs/live/live_options.h"

namespace Ombrel::Live {

// The process the author starts: it makes the session's private folder,
// starts the session in a child process (this program again) and starts it
// again, at the same moment of the demo, when a pack's new version crashes
// it, without that version. It also carries the lines of its standard input
// to the session's control channel and the answers to its standard output, so
// that they go on across a restart. Removes the private folder at the end and
// returns the session's exit status.
int RunSupervisor(const LiveOptions& options, const std::vector<std::string>& arguments);

}  // namespace Ombrel::Live
