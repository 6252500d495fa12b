#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// What ombrel-live is asked to do, read from its command line:
//
//   ombrel-live [--demo FOLDER] [--size WxH] [--english] [--start S]
//               [--loop A-B] [--paused] [--fps N] [--build "CMD" --sources DIR]
//               [--timeline] [--timeline-port P]
struct LiveOptions {
    // The demo's folder (its packs and Data/audio.ogg); empty: the current
    // folder, as the host finds them.
    std::string demoFolder;
    int width = 640;
    int height = 480;
    bool english = false;
    double start = 0.0;
    bool looping = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
    bool paused = false;
    // Frames a second at most; 0: no cap; -1: the display's refresh rate.
    int fps = -1;
    // Run on a change under `sourcesFolder`; both or neither.
    std::string buildCommand;
    std::string sourcesFolder;
    // The timeline page's port (0: one the system picks), and whether to
    // open the page in the browser at the start.
    int timelinePort = 0;
    bool openTimeline = false;
    bool help = false;

    // Given by the supervisor to the process that runs the session: the
    // channel back to it, and the state to take up.
    std::string channel;
    std::string resume;
};

// Reads the command line (without the program's name). Throws
// Ombrel::Exception naming the option and the value that make no sense.
LiveOptions ParseLiveOptions(const std::vector<std::string>& arguments);

// The command line's summary, for --help and for a wrong command line.
std::string LiveUsage();

}  // namespace Ombrel::Live
