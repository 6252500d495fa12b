#include <windows.h>

#include "foundation/performance_counter.h"

static int64_t Frequency() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    return frequency.QuadPart;
}

static bool Read(int64_t* ticks) {
    LARGE_INTEGER count;
    if (!QueryPerformanceCounter(&count)) return false;
    *ticks = count.QuadPart;
    return true;
}

const PerformanceCounter& SystemPerformanceCounter() {
    static const PerformanceCounter counter = {Frequency, Read};
    return counter;
}
