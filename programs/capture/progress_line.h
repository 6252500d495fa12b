#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

// The line that shows how a capture goes, redrawn in place on a terminal at
// most a few times a second: the frame, the share done, frames per second
// and the time left.
class ProgressLine {
public:
    ProgressLine(std::FILE* output, std::int64_t frameCount);

    // `done` frames are written.
    void Show(std::int64_t done);
    // Ends the line, so that what follows starts on a line of its own.
    void End();
    // Seconds since the start, and frames per second for `done` frames.
    double Seconds() const;
    double Rate(std::int64_t done) const;

private:
    std::FILE* terminal;  // null: nothing is drawn
    std::int64_t frames;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastShown;
    bool shown;
};
