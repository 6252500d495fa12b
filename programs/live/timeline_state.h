#pragma once

#include <string>
#include <vector>

#include "programs/live/beat_grid.h"
#include "programs/live/markers.h"

namespace Ombrel::Live {

// The session as the timeline page sees it, answered to "state" as one line
// of JSON: the clock, the loop, the end of the music, snapping, the beat grid,
// the markers, the packs, the last error in full and the last frame times.
struct TimelineState {
    struct Pack {
        std::string name;
        int version = 0;
        std::string state;  // "running", "missing", "trying"
    };

    double time = 0.0;
    bool playing = false;
    double speed = 1.0;
    double length = 0.0;  // of the music, in seconds; 0 when unknown
    bool looping = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
    bool endLoops = false;  // at the end of the music: go round (else stop)
    bool atEnd = false;
    SnapMode snap = SnapMode::Off;
    double frameRate = 60.0;
    bool hasTempo = false;
    BeatGrid tempo;
    std::vector<Marker> markers;
    std::vector<Pack> packs;
    std::string lastError;
    std::vector<double> frameTimes;  // milliseconds

    std::string Json() const;
};

}  // namespace Ombrel::Live
