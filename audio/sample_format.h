#pragma once

#include <cstddef>
#include <cstdint>

// The mix (floating point, full scale at 1.0) in the output's 16-bit format.
// Loud mixes clip at full scale instead of wrapping around into noise, and a
// sample that is not a number (a damaged packet) becomes silence.
void ToSixteenBit(const float* mix, std::int16_t* samples, std::size_t count);
