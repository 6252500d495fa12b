#pragma once

#include <chrono>

namespace Ombrel::Live {

// The demo's time as a clock the author moves: it plays or stands still, at
// full speed or slowed down, goes to any moment, steps back and forth (by
// seconds or by frames), plays a loop over and over, and stops at the end of
// the music or goes round to its start. The music follows it: whenever the place jumps or the clock
// starts or stops, Changes() counts one more, and the anchor says which moment of the demo belongs
// to which moment of the steady clock.
class Timeline {
public:
    using Clock = std::chrono::steady_clock;

    Timeline(double start, bool play, Clock::time_point now);

    enum class EndMode { Stop, Loop };

    // The demo time at `now`. A playing clock that reaches the loop's end
    // goes round to its start; one that reaches the end of the music stops
    // there or goes round to 0, as the end mode says.
    double Advance(Clock::time_point now);
    double Time() const { return time; }
    bool Playing() const { return playing; }

    // Plays on; a clock stopped at the end of the music starts again at 0.
    void Play(Clock::time_point now);
    void Pause(Clock::time_point now);
    // Times are kept between 0 and the end of the music.
    void Seek(double seconds, Clock::time_point now);
    void Step(double seconds, Clock::time_point now);  // from where it is
    // Pauses, then moves `frames` frames (negative: back) from the frame
    // nearest the current time, at `frameRate` frames a second.
    void StepFrames(int frames, double frameRate, Clock::time_point now);

    // Demo seconds per real second: 1, or less for slow motion.
    void SetSpeed(double factor, Clock::time_point now);
    double Speed() const { return speed; }

    // The end of the music in seconds (0: no end known, the clock runs on).
    void SetEnd(double seconds, Clock::time_point now);
    double End() const { return musicEnd; }
    void SetEndMode(EndMode mode) { endMode = mode; }
    EndMode GetEndMode() const { return endMode; }
    // The clock stands at the end of the music.
    bool AtEnd() const { return musicEnd > 0.0 && time >= musicEnd; }

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
    double speed = 1.0;
    double musicEnd = 0.0;
    EndMode endMode = EndMode::Stop;
};

}  // namespace Ombrel::Live
