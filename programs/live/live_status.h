#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// What a session shows of itself: in the window's title, on a terminal's
// status line, and as the one line of JSON that the control channel's
// "status" answers.
struct LiveStatus {
    struct Pack {
        std::string file;
        int version = 0;    // 0: none loaded
        std::string state;  // "running", "missing", "trying"
    };

    double time = 0.0;
    bool playing = true;
    bool looping = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
    double speed = 1.0;
    bool endLoops = false;
    bool atEnd = false;         // stopped at the end of the music
    bool hasLoopStart = false;  // the loop's start is set ([), maybe alone
    bool hasLoopEnd = false;
    double fps = 0.0;
    std::vector<Pack> packs;
    std::string error;  // the last error, empty when none
    // All the output of the last build, when it failed; empty once one
    // succeeds.
    std::string buildOutput;
    std::vector<std::string> warnings;
    int pid = 0;
    std::string control;
    std::string folder;  // the session's private folder
    bool musicOutput = false;
    double musicOffsetMs = 0.0;
    int musicResyncs = 0;
    long residentKb = -1;
    int openHandles = -1;
    int privateFiles = 0;
    long long frames = 0;
    // Steady-clock times (nanoseconds) at which the first frame after the
    // last reload and after the last jump of the time was shown: for
    // benchmarks, which compare them with when they made the change.
    long long reloadShownNs = 0;
    long long jumpShownNs = 0;

    std::string Json() const;
    // Time, play state, loop, frames per second and the last error, short.
    std::string Line() const;
    // What a change of is worth a line where there is no status line to
    // keep up to date (the output is not a terminal): the play state, the
    // loop, each pack's version and state, the last error; not the time.
    std::string Changes() const;
};

}  // namespace Ombrel::Live
