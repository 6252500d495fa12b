#include "audio/sample_format.h"

#include <algorithm>
#include <cmath>

void ToSixteenBit(const float* mix, std::int16_t* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        float value = std::isnan(mix[i]) ? 0.0f : mix[i] * 32767.0f;
        // Clamped before rounding: out of range, lrint's result is undefined.
        value = std::min(32767.0f, std::max(-32768.0f, value));
        samples[i] = static_cast<std::int16_t>(std::lrint(value));
    }
}
