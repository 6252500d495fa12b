#pragma once

#include <chrono>

// The demo's time as a clock the author moves: it plays or stands still, goes
// to any moment, steps back and forth, and plays a loop over and over. The
// music follows it: whenever the place jumps or the clock starts or stops,
// Changes() counts one more, and the anchor says which moment of the demo
// belongs to which moment of the steady clock.
class Timeline {
public:
    using Clock = std::chrono::steady_clock;

    Timeline(double start, bool play, Clock::time_point now);

    // The demo time at `now`. A playing clock that reaches the loop's end
    // goes round to its start.
    double Advance(Clock::time_point now);
    double Time() const { return time; }
    bool Playing() const { return playing; }

    void Play(Clock::time_point now);
    void Pause(Clock::time_point now);
    void Seek(double seconds, Clock::time_point now);  // not before 0
    void Step(double seconds, Clock::time_point now);  // from where it is

    // The loop from `start` to `end`; false, changing nothing, unless
    // 0 <= start < end. A clock outside it goes to its start.
    bool SetLoop(double start, double end, Clock::time_point now);
    // The loop's start or end at the current time (the keys [ and ]); the
    // loop plays once both are set with the start first. False, changing
    // nothing, for an end that does not come after the start.
    bool MarkLoopStart(Clock::time_point now);
    bool MarkLoopEnd(Clock::time_point now);
    void ClearLoop();
    bool Looping() const { return hasStart && hasEnd; }
    bool HasLoopStart() const { return hasStart; }
    bool HasLoopEnd() const { return hasEnd; }
    double LoopStart() const { return loopStart; }
    double LoopEnd() const { return loopEnd; }

    unsigned Changes() const { return changes; }
    double AnchorSeconds() const { return anchorSeconds; }
    Clock::time_point AnchorAt() const { return anchorAt; }

private:
    void Anchor(double seconds, Clock::time_point now);
    void EnterLoop(Clock::time_point now);

    double time;
    bool playing;
    double anchorSeconds;
    Clock::time_point anchorAt;
    bool hasStart = false;
    bool hasEnd = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
    unsigned changes = 0;
};
