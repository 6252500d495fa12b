#include "foundation/timer.h"

#include "foundation/exception.h"

Timer::Timer(const PerformanceCounter& source)
    : startCount(0), nowCount(0), frequency(source.frequency()), offset(0.0f), counter(source) {}

// A frequency of 0 would turn every reading into a division by zero, so a
// counter without one is as unsupported as one that cannot be read.
void Timer::Reset() {
    int64_t ticks;
    if (frequency <= 0 || !counter.read(&ticks)) {
        throw Ombrel::Exception("High resolution performance counter not supported");
    }
    startCount = ticks;
    offset = 0.0f;
}

double Timer::Seconds() {
    counter.read(&nowCount);
    // Two's-complement subtraction: a counter that wraps gives the right
    // difference instead of overflowing.
    int64_t difference =
        static_cast<int64_t>(static_cast<uint64_t>(nowCount) - static_cast<uint64_t>(startCount));
    return static_cast<double>(difference) / static_cast<double>(frequency) +
           static_cast<double>(offset);
}
