#pragma once

#include <chrono>
#include <vector>

namespace Ombrel::Live {

// How long the last frames took, for the timeline page's graph: the time from
// each frame shown to the next, over the last few seconds. Noting a frame
// takes no allocation: it runs on the frame loop.
class FrameTimes {
public:
    using Clock = std::chrono::steady_clock;
    static const int Most = 300;

    // A frame was shown at `at`.
    void Note(Clock::time_point at);
    // The frame times in milliseconds, oldest first, of frames shown within
    // `seconds` before `now`; at most Most of them.
    std::vector<double> Last(Clock::time_point now, double seconds = 5.0) const;

private:
    struct Frame {
        Clock::time_point at;
        double milliseconds;
    };
    Frame frames[Most] = {};
    int next = 0;
    int count = 0;
    bool shown = false;
    Clock::time_point lastShown;
};

}  // namespace Ombrel::Live
