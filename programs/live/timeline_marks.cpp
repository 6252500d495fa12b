#include "programs/live/timeline_marks.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "foundation/exception.h"

namespace Ombrel::Live {

namespace {

// A number that is the whole word, finite, from `low` to `high`.
bool ReadMarkNumber(const std::string& word, double low, double high, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && errno == 0 && std::isfinite(value) && value >= low &&
           value <= high;
}

std::string MarkNumber(double value, const char* format) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

TimelineMarks ParseTimelineMarks(const std::string& text, const std::string& file) {
    TimelineMarks marks;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;) words.push_back(word);
        if (words.empty() || words[0][0] == '#') continue;
        auto refuse = [&](const std::string& why) {
            throw Ombrel::Exception("%s line %d: %s", file.c_str(), number, why.c_str());
        };
        if (words[0] == "tempo") {
            double bpm = 0.0, offset = 0.0, beats = 0.0;
            if (words.size() != 4 || !ReadMarkNumber(words[1], SlowestBpm, FastestBpm, bpm) ||
                !ReadMarkNumber(words[2], 0.0, 1e7, offset) ||
                !ReadMarkNumber(words[3], 1.0, MostBeatsPerBar, beats) ||
                beats != std::floor(beats)) {
                refuse(
                    "expected \"tempo BPM OFFSET BEATS\" (BPM 20 to 400, OFFSET in seconds, "
                    "1 to 32 BEATS a bar)");
            }
            if (marks.hasTempo) refuse("a second tempo line");
            marks.hasTempo = true;
            marks.tempo.bpm = bpm;
            marks.tempo.offset = offset;
            marks.tempo.beatsPerBar = static_cast<int>(beats);
            continue;
        }
        double seconds = 0.0;
        if (words.size() != 2 || !ReadMarkNumber(words[0], 0.0, 1e7, seconds))
            refuse("expected \"SECONDS NAME\" or \"tempo BPM OFFSET BEATS\"");
        try {
            marks.markers.Add(words[1], seconds);
        } catch (const Ombrel::Exception& e) {
            refuse(e.message);
        }
    }
    return marks;
}

std::string TimelineMarksText(const TimelineMarks& marks) {
    std::string text;
    if (marks.hasTempo) {
        // The tempo to the thousandth of a beat a minute, without trailing zeros.
        std::string bpm = MarkNumber(marks.tempo.bpm, "%.3f");
        bpm.erase(bpm.find_last_not_of('0') + 1);
        if (bpm.back() == '.') bpm.pop_back();
        text += "tempo " + bpm + " " + MarkNumber(marks.tempo.offset, "%.3f") + " " +
                std::to_string(marks.tempo.beatsPerBar) + "\n";
    }
    for (const Marker& marker : marks.markers.All())
        text += MarkNumber(marker.time, "%.3f") + " " + marker.name + "\n";
    return text;
}

}  // namespace Ombrel::Live
