#include "programs/live/frame_pacer.h"

namespace Ombrel::Live {

namespace {

const double UnknownRefresh = 60.0;
// What a display says outside these is taken for a mistake.
const int LowestRefresh = 20;
const int HighestRefresh = 500;

}  // namespace

void FramePacer::SetRate(double perSecond) {
    if (perSecond == rate) return;
    rate = perSecond > 0.0 ? perSecond : 0.0;
    period =
        rate > 0.0
            ? std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / rate))
            : Clock::duration(0);
    due = Clock::time_point();
}

FramePacer::Clock::time_point FramePacer::Next(Clock::time_point now) {
    if (rate <= 0.0) return now;
    due += period;
    // Late by a whole frame or more (a reload, the first frame): the count
    // starts again here, with no burst of frames to catch up. A frame late by
    // less (a sleep that overslept) keeps the count, so the rate holds.
    if (due + period <= now) due = now;
    if (due < now) return now;
    return due;
}

double ChosenFrameRate(int asked, int refresh) {
    if (asked >= 0) return asked;
    if (refresh >= LowestRefresh && refresh <= HighestRefresh) return refresh;
    return UnknownRefresh;
}

}  // namespace Ombrel::Live
