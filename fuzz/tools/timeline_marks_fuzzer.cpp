// The markers file of a demo folder, as anyone who can write there may have
// left it: any bytes are read either as a timeline's marks or refused with
// Ombrel::Exception naming the file and line. What is read holds only valid
// names, each once, in order of time, and writes out as text that reads back
// to the same text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "programs/live/timeline_marks.h"

using namespace Ombrel::Live;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    TimelineMarks marks;
    try {
        marks = ParseTimelineMarks(text, "markers.txt");
    } catch (const Ombrel::Exception& e) {
        if (std::strncmp(e.message, "markers.txt line ", 17) != 0) abort();
        return 0;
    }
    if (marks.hasTempo && !ValidGrid(marks.tempo)) abort();
    const std::vector<Marker>& all = marks.markers.All();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!Markers::ValidName(all[i].name) || !(all[i].time >= 0.0)) abort();
        if (i > 0 && all[i].time < all[i - 1].time) abort();
        for (std::size_t j = 0; j < i; ++j) {
            if (all[j].name == all[i].name) abort();
        }
    }
    std::string written = TimelineMarksText(marks);
    if (TimelineMarksText(ParseTimelineMarks(written, "markers.txt")) != written) abort();
    return 0;
}
