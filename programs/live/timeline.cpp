#include "programs/live/timeline.h"

#include <cmath>

namespace Ombrel::Live {

Timeline::Timeline(double start, bool play, Clock::time_point now)
    : time(start < 0.0 ? 0.0 : start), playing(play), anchorSeconds(time), anchorAt(now) {}

void Timeline::Anchor(double seconds, Clock::time_point now) {
    if (musicEnd > 0.0 && seconds > musicEnd) seconds = musicEnd;
    time = anchorSeconds = seconds < 0.0 ? 0.0 : seconds;
    anchorAt = now;
    ++changes;
}

double Timeline::Advance(Clock::time_point now) {
    if (!playing) return time;
    double before = time;
    time = anchorSeconds + speed * std::chrono::duration<double>(now - anchorAt).count();
    // Only a clock that crosses the loop's end goes round: one sent past the
    // end plays on from there. A loop that reaches past the music goes round
    // at the music's end.
    double wrapAt = musicEnd > 0.0 && loopEnd > musicEnd ? musicEnd : loopEnd;
    if (Looping() && loopStart < wrapAt && before < wrapAt && time >= wrapAt) {
        double length = wrapAt - loopStart;
        Anchor(loopStart + std::fmod(time - wrapAt, length), now);
    } else if (musicEnd > 0.0 && time >= musicEnd) {
        if (endMode == EndMode::Loop) {
            Anchor(std::fmod(time - musicEnd, musicEnd), now);
        } else {
            playing = false;
            Anchor(musicEnd, now);
        }
    }
    return time;
}

void Timeline::Play(Clock::time_point now) {
    if (playing) return;
    playing = true;
    Anchor(AtEnd() ? 0.0 : time, now);
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

void Timeline::StepFrames(int frames, double frameRate, Clock::time_point now) {
    Pause(now);
    Anchor((std::round(time * frameRate) + frames) / frameRate, now);
}

void Timeline::SetSpeed(double factor, Clock::time_point now) {
    Advance(now);
    speed = factor;
    Anchor(time, now);
}

void Timeline::SetEnd(double seconds, Clock::time_point now) {
    Advance(now);
    musicEnd = seconds > 0.0 ? seconds : 0.0;
    Anchor(time, now);
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

}  // namespace Ombrel::Live
