#pragma once

#include <cstdint>

#include "foundation/performance_counter.h"

// Seconds since Reset, from the high-resolution performance counter.
class Timer {
public:
    int64_t startCount;
    int64_t nowCount;
    int64_t frequency;
    float offset;

    explicit Timer(const PerformanceCounter& counter = SystemPerformanceCounter());

    // Starts the count from 0. Throws "High resolution performance counter not
    // supported" when the counter cannot be read or reports no frequency,
    // changing nothing.
    void Reset();
    // (now - start) / frequency + offset. Meaningful only after Reset.
    double Seconds();

private:
    // Held by value (two function pointers), so a Timer never refers to a
    // counter that has gone away.
    PerformanceCounter counter;
};
