// ombrel-live: the demo under the author's hand. It runs the demo's packs in
// the host's graph in a window with the music, on a timeline that the author
// pauses, moves and loops by keys or through a control channel, and puts each
// pack's new build in place the moment it is written, at the same moment of
// the music; a build that fails to load, throws or crashes leaves the last
// good one drawing.
//
//   ombrel-live [--demo FOLDER] [--size WxH] [--english] [--start S]
//               [--loop A-B] [--paused] [--fps N] [--build "CMD" --sources DIR]
//               [--timeline] [--timeline-port P]
//
// Exit status: 0 the session ended (Escape, the window closed, "quit"), 1 it
// could not go on, 2 wrong command line, 130 interrupted.

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "programs/live/live_options.h"
#include "programs/live/live_session.h"
#include "programs/live/supervisor.h"
#include "programs/support/version_option.h"

int main(int argc, char** argv) {
    using namespace Ombrel::Live;
    if (Ombrel::Tools::PrintVersionWhenAsked(argc, argv, "ombrel-live")) return 0;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    LiveOptions options;
    try {
        options = ParseLiveOptions(arguments);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: %s\n\n%s", e.message, LiveUsage().c_str());
        return 2;
    }
    if (options.help) {
        std::printf("%s", LiveUsage().c_str());
        return 0;
    }
    // The author starts the supervisor; it starts the session with a channel.
    if (options.channel.empty()) return RunSupervisor(options, arguments);
    return RunLiveSession(options);
}
