#pragma once

#include <string>

#include "programs/live/beat_grid.h"
#include "programs/live/markers.h"

namespace Ombrel::Live {

// What the author marks on the demo's timeline, kept beside the demo in a
// text file that a diff reads (markers.txt): the beat grid, if any, on its
// own line, then the markers in order of time, one a line.
//
//     tempo 120 0.100 4
//     32.000 drop
//     48.500 break.2
//
// Blank lines and lines starting with '#' are passed over when read.
struct TimelineMarks {
    bool hasTempo = false;
    BeatGrid tempo;
    Markers markers;
};

const char* const TimelineMarksFile = "markers.txt";

// Reads the text of `file`; throws Ombrel::Exception "FILE line N: ..." for
// the first line it cannot take.
TimelineMarks ParseTimelineMarks(const std::string& text, const std::string& file);

// The text of the file: times and the grid's first beat to the millisecond.
std::string TimelineMarksText(const TimelineMarks& marks);

}  // namespace Ombrel::Live
