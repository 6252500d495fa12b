#pragma once

#include <cstdint>

// The seam between the Timer and the platform's high-resolution counter. Each
// platform's backend file provides SystemPerformanceCounter(); tests hand the
// Timer a counter of their own.
struct PerformanceCounter {
    // Ticks per second; 0 when unknown.
    int64_t (*frequency)();
    // Reads the counter; false when it cannot be read.
    bool (*read)(int64_t* ticks);
};

const PerformanceCounter& SystemPerformanceCounter();
