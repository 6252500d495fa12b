#include <time.h>

#include "foundation/performance_counter.h"

// The monotonic clock as a counter of nanoseconds.
static int64_t Frequency() { return 1000000000; }

static bool Read(int64_t* ticks) {
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return false;
    *ticks = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return true;
}

const PerformanceCounter& SystemPerformanceCounter() {
    static const PerformanceCounter counter = {Frequency, Read};
    return counter;
}
