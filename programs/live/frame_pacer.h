#pragma once

#include <chrono>

namespace Ombrel::Live {

// When the session's next frame is due: a cap on the frame rate, so that a
// session that is playing leaves the processor to the compiler. The loop
// sleeps until the time it hands back (a steady clock's, never a spin); a
// frame that came late starts the count again from its end, rather than
// hurrying frames after it to catch up.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    // `perSecond` frames a second at most; 0: as many as can be drawn.
    explicit FramePacer(double perSecond = 0.0) { SetRate(perSecond); }
    void SetRate(double perSecond);
    double Rate() const { return rate; }

    // After a frame that ended at `now`: the time to start the next one at
    // (`now` itself when uncapped or late).
    Clock::time_point Next(Clock::time_point now);

private:
    double rate = 0.0;
    Clock::duration period{0};
    Clock::time_point due;
};

// The rate for `--fps` (`asked`, -1 when not given) on a display that
// refreshes `refresh` times a second (0: unknown): what was asked, else the
// display's refresh, else 60.
double ChosenFrameRate(int asked, int refresh);

}  // namespace Ombrel::Live
