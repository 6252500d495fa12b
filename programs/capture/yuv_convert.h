#pragma once

#include <cstdint>

// Converts one frame of `width` x `height` BGRA pixels, in rows from the
// bottom up (as OpenGL reads them), to planar 4:2:0 YUV from the top down:
// the Y plane, then U, then V, each chroma sample the mean of a 2 x 2 block.
// BT.709 colours, limited range (Y 16 to 235). Width and height are even.
void ConvertToI420(const std::uint8_t* bgra, int width, int height, std::uint8_t* planes);
