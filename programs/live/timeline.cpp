#include "programs/live/timeline.h"

#include <cmath>

Timeline::Timeline(double start, bool play, Clock::time_point now)
    : time(start < 0.0 ? 0.0 : start), playing(play), anchorSeconds(time), anchorAt(now) {}

void Timeline::Anchor(double seconds, Clock::time_point now) {
    time = anchorSeconds = seconds < 0.0 ? 0.0 : seconds;
    anchorAt = now;
    ++changes;
}

double Timeline::Advance(Clock::time_point now) {
    if (!playing) return time;
    double before = time;
    time = anchorSeconds + std::chrono::duration<double>(now - anchorAt).count();
    // Only a clock that crosses the end goes round: one sent past the end
    // plays on from there.
    if (Looping() && before < loopEnd && time >= loopEnd) {
        double length = loopEnd - loopStart;
        Anchor(loopStart + std::fmod(time - loopEnd, length), now);
    }
    return time;
}

void Timeline::Play(Clock::time_point now) {
    if (playing) return;
    playing = true;
    Anchor(time, now);
}

void Timeline::Pause(Clock::time_point now) {
    if (!playing) return;
    Advance(now);
    playing = false;
    Anchor(time, now);
}

void Timeline::Seek(double seconds, Clock::time_point now) {
    Anchor(seconds, now);
}

void Timeline::Step(double seconds, Clock::time_point now) {
    Advance(now);
    Anchor(time + seconds, now);
}

void Timeline::EnterLoop(Clock::time_point now) {
    Advance(now);
    if (Looping() && (time < loopStart || time >= loopEnd)) Anchor(loopStart, now);
}

bool Timeline::SetLoop(double start, double end, Clock::time_point now) {
    if (!(start >= 0.0 && start < end)) return false;
    hasStart = hasEnd = true;
    loopStart = start;
    loopEnd = end;
    EnterLoop(now);
    return true;
}

bool Timeline::MarkLoopStart(Clock::time_point now) {
    Advance(now);
    if (hasEnd && time >= loopEnd) hasEnd = false;
    hasStart = true;
    loopStart = time;
    return true;
}

bool Timeline::MarkLoopEnd(Clock::time_point now) {
    Advance(now);
    double start = hasStart ? loopStart : 0.0;
    if (time <= start) return false;
    hasStart = true;
    loopStart = start;
    hasEnd = true;
    loopEnd = time;
    EnterLoop(now);
    return true;
}

void Timeline::ClearLoop() {
    hasStart = hasEnd = false;
}
