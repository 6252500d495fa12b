#include "programs/capture/yuv_convert.h"

namespace {

// BT.709 in 16-bit fixed point, scaled to the limited range. The chroma rows
// each sum to zero, so that every grey has chroma 128 exactly.
const int YR = 11966, YG = 40254, YB = 4064;
const int UR = -6596, UG = -22189, UB = 28785;
const int VR = 28784, VG = -26145, VB = -2639;

std::uint8_t Luma(const std::uint8_t* p) {
    return static_cast<std::uint8_t>((YR * p[2] + YG * p[1] + YB * p[0] + (16 << 16) + (1 << 15)) >>
                                     16);
}

// From the sums of four pixels' red, green and blue.
std::uint8_t Chroma(int r, int g, int b, int cr, int cg, int cb) {
    return static_cast<std::uint8_t>((cr * r + cg * g + cb * b + (128 << 18) + (1 << 17)) >> 18);
}

}  // namespace

void ConvertToI420(const std::uint8_t* bgra, int width, int height, std::uint8_t* planes) {
    const int stride = 4 * width;
    std::uint8_t* y = planes;
    std::uint8_t* u = planes + width * height;
    std::uint8_t* v = u + (width / 2) * (height / 2);
    for (int row = 0; row < height; row += 2) {
        // Output rows `row` and `row + 1` are input rows counted from the bottom.
        const std::uint8_t* top = bgra + (height - 1 - row) * stride;
        const std::uint8_t* below = top - stride;
        for (int x = 0; x < width; ++x) {
            y[row * width + x] = Luma(top + 4 * x);
            y[(row + 1) * width + x] = Luma(below + 4 * x);
        }
        for (int x = 0; x < width; x += 2) {
            const std::uint8_t* a = top + 4 * x;
            const std::uint8_t* b = below + 4 * x;
            int blue = a[0] + a[4] + b[0] + b[4];
            int green = a[1] + a[5] + b[1] + b[5];
            int red = a[2] + a[6] + b[2] + b[6];
            int at = (row / 2) * (width / 2) + x / 2;
            u[at] = Chroma(red, green, blue, UR, UG, UB);
            v[at] = Chroma(red, green, blue, VR, VG, VB);
        }
    }
}
