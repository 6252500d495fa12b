#include "foundation/timer.h"

#include "foundation/exception.h"

Timer::Timer(const PerformanceCounter& source)
    : startCount(0), nowCount(0), frequency(source.frequency()), offset(0.0f), counter(&source) {}

void Timer::Reset() {
    int64_t ticks;
    if (!counter->read(&ticks)) {
        throw Ombrel::Exception("High resolution performance counter not supported");
    }
    startCount = ticks;
    offset = 0.0f;
}

double Timer::Seconds() {
    counter->read(&nowCount);
    int64_t difference = nowCount - startCount;
    return static_cast<double>(difference) / static_cast<double>(frequency) +
           static_cast<double>(offset);
}
