#pragma once

#include <cstdint>

// How much music the output device has consumed: the frames of playing
// streams in the buffers handed to the device since the process started. The
// mixer adds each buffer's share on the device's thread; any thread may read
// the count at any time, without a lock and without allocating.
//
// The reading has a plain C name so that tools outside the program (the
// benchmarks' probe) can find it; the Linux program exports that one symbol.
extern "C" std::uint64_t OmbrelMusicFramesPlayed();

// Adds the music frames of one buffer handed to the device.
void CountMusicFramesPlayed(int frames);
