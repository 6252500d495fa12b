#include <gtest/gtest.h>

#include <vector>

#include "packs/opengl/host_icon.h"
#include "packs/opengl/icon_picture.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put(Bytes& bytes, unsigned value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// An icon file with one image: a bitmap header, `palette` (4 bytes a
// colour), then the colour rows and the mask rows, both from the bottom.
Bytes IconFile(int width, int height, int bits, const Bytes& palette, const Bytes& rows) {
    Bytes file;
    Put(file, 0, 2), Put(file, 1, 2), Put(file, 1, 2);
    Put(file, width, 1), Put(file, height, 1), Put(file, 0, 2), Put(file, 1, 2), Put(file, bits, 2);
    Put(file, 40 + static_cast<unsigned>(palette.size() + rows.size()), 4), Put(file, 22, 4);
    Put(file, 40, 4), Put(file, width, 4), Put(file, 2 * height, 4), Put(file, 1, 2);
    Put(file, bits, 2), Put(file, 0, 4), Put(file, 0, 4), Put(file, 0, 4), Put(file, 0, 4);
    Put(file, static_cast<unsigned>(palette.size() / 4), 4), Put(file, 0, 4);
    file.insert(file.end(), palette.begin(), palette.end());
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

}  // namespace

TEST(IconPicture, PalettedImageGivesItsColoursAndTheMaskItsTransparency) {
    // 2 x 2 at 8 bits: the bottom row holds colours 1 and 0, the top row 0
    // and 1; the mask makes the top left pixel transparent.
    Bytes palette = {0x10, 0x20, 0x30, 0, 0xFF, 0xEE, 0xDD, 0};
    Bytes rows = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0};
    Bytes file = IconFile(2, 2, 8, palette, rows);
    IconPicture icon;
    ASSERT_TRUE(icon.Decode(file.data(), static_cast<unsigned>(file.size()), 32));
    EXPECT_EQ(2, icon.width);
    EXPECT_EQ(2, icon.height);
    std::vector<std::uint32_t> expected = {0x00302010, 0xFFDDEEFF, 0xFFDDEEFF, 0xFF302010};
    EXPECT_EQ(expected, icon.pixels) << "rows from the top, 0xAARRGGBB";

    // Cut anywhere before its last mask byte, the file is refused whole.
    for (size_t size : {size_t{0}, size_t{21}, size_t{61}, file.size() - 1}) {
        EXPECT_FALSE(icon.Decode(file.data(), static_cast<unsigned>(size), 32)) << size;
        EXPECT_TRUE(icon.pixels.empty());
    }
}

TEST(IconPicture, TheHostIconReadsAt32By32) {
    IconPicture icon;
    ASSERT_TRUE(icon.Decode(HostIcon, HostIconSize, 32));
    EXPECT_EQ(32, icon.width);
    EXPECT_EQ(32, icon.height);
}
