#pragma once

#include <cstdint>
#include <vector>

// A picture of an icon file (".ico", the format of the host's "ICON"), as
// 32-bit pixels that a window system can show as the window's icon.
class IconPicture {
public:
    int width = 0;
    int height = 0;
    // Rows from the top, each pixel 0xAARRGGBB.
    std::vector<std::uint32_t> pixels;

    // Reads the image of the file whose width is nearest `preferredWidth`.
    // Reads uncompressed images of 1, 4, 8, 24 and 32 bits per pixel, with
    // their transparency; false, leaving the picture empty, for anything else
    // and for a file that ends early.
    bool Decode(const unsigned char* file, std::uint32_t size, int preferredWidth);
};
