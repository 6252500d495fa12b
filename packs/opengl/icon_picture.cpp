#include "packs/opengl/icon_picture.h"

#include <cstddef>

namespace {

// Little-endian fields of the file, read only inside its bounds.
class Bytes {
public:
    Bytes(const unsigned char* bytes, std::uint32_t byteCount) : data(bytes), size(byteCount) {}

    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size && count <= size - offset;
    }
    std::uint32_t Read(std::uint64_t offset, int count) const {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) value = value << 8 | data[offset + i];
        return value;
    }
    unsigned char At(std::uint64_t offset) const { return data[offset]; }

private:
    const unsigned char* data;
    std::uint32_t size;
};

// Bytes per row of a bitmap: rows are padded to 32 bits.
std::uint64_t Stride(std::uint64_t width, std::uint32_t bits) {
    return (width * bits + 31) / 32 * 4;
}

// The offset of the directory entry whose width is nearest `preferred`, or 0
// when the file is no icon file.
std::uint64_t ChooseEntry(const Bytes& file, int preferred) {
    if (!file.Has(0, 6) || file.Read(0, 2) != 0 || file.Read(2, 2) != 1) return 0;
    std::uint64_t chosen = 0;
    int nearest = 0;
    for (std::uint32_t i = 0, count = file.Read(4, 2); i < count; ++i) {
        std::uint64_t entry = 6 + 16 * static_cast<std::uint64_t>(i);
        if (!file.Has(entry, 16)) break;
        int width = file.At(entry) == 0 ? 256 : file.At(entry);  // 0 stands for 256
        int distance = width > preferred ? width - preferred : preferred - width;
        if (chosen == 0 || distance < nearest) {
            chosen = entry;
            nearest = distance;
        }
    }
    return chosen;
}

}  // namespace

bool IconPicture::Decode(const unsigned char* data, std::uint32_t size, int preferredWidth) {
    width = height = 0;
    pixels.clear();
    Bytes file(data, size);
    std::uint64_t entry = ChooseEntry(file, preferredWidth);
    if (entry == 0) return false;
    std::uint64_t image = file.Read(entry + 12, 4);
    // The image is a bitmap header, palette, colours and transparency mask;
    // its height counts both the colour rows and the mask rows.
    if (!file.Has(image, 40)) return false;
    std::uint32_t headerSize = file.Read(image, 4);
    std::int32_t wide = static_cast<std::int32_t>(file.Read(image + 4, 4));
    std::int32_t high = static_cast<std::int32_t>(file.Read(image + 8, 4)) / 2;
    std::uint32_t bits = file.Read(image + 14, 2);
    std::uint32_t compression = file.Read(image + 16, 4);
    std::uint32_t used = file.Read(image + 32, 4);
    bool paletted = bits == 1 || bits == 4 || bits == 8;
    if (headerSize < 40 || wide < 1 || wide > 256 || high < 1 || high > 256 || compression != 0 ||
        !(paletted || bits == 24 || bits == 32))
        return false;
    std::uint32_t colours = paletted ? (used != 0 && used < (1u << bits) ? used : 1u << bits) : 0;

    std::uint64_t palette = image + headerSize;
    std::uint64_t colourRows = palette + 4 * static_cast<std::uint64_t>(colours);
    std::uint64_t maskRows = colourRows + Stride(wide, bits) * high;
    if (!file.Has(colourRows, maskRows + Stride(wide, 1) * high - colourRows)) return false;

    pixels.resize(static_cast<std::size_t>(wide) * high);
    for (std::int32_t y = 0; y < high; ++y) {
        // Rows are stored from the bottom.
        std::uint64_t row = colourRows + Stride(wide, bits) * (high - 1 - y);
        std::uint64_t mask = maskRows + Stride(wide, 1) * (high - 1 - y);
        for (std::int32_t x = 0; x < wide; ++x) {
            std::uint32_t colour;
            if (paletted) {
                std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
                std::uint32_t index =
                    file.At(row + bit / 8) >> (8 - bits - bit % 8) & ((1u << bits) - 1);
                colour = index < colours ? file.Read(palette + 4 * index, 3) : 0;
            } else {
                colour = file.Read(row + static_cast<std::uint64_t>(x) * bits / 8, bits / 8);
            }
            bool transparent = file.At(mask + x / 8) >> (7 - x % 8) & 1;
            std::uint32_t alpha = bits == 32 ? colour >> 24 : transparent ? 0 : 0xFF;
            pixels[static_cast<std::size_t>(y) * wide + x] = alpha << 24 | (colour & 0xFFFFFF);
        }
    }
    width = wide;
    height = high;
    return true;
}
