#include "programs/live/frame_times.h"

namespace Ombrel::Live {

void FrameTimes::Note(Clock::time_point at) {
    if (shown) {
        frames[next] = Frame{at, std::chrono::duration<double, std::milli>(at - lastShown).count()};
        next = (next + 1) % Most;
        if (count < Most) ++count;
    }
    shown = true;
    lastShown = at;
}

std::vector<double> FrameTimes::Last(Clock::time_point now, double seconds) const {
    std::vector<double> times;
    auto since =
        now - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (int i = 0; i < count; ++i) {
        const Frame& frame = frames[(next - count + i + Most) % Most];
        if (frame.at >= since) times.push_back(frame.milliseconds);
    }
    return times;
}

}  // namespace Ombrel::Live
