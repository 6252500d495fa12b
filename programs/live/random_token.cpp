#include "programs/live/random_token.h"

namespace Ombrel::Live {

std::string HexOf(const unsigned char* bytes, int count) {
    static const char Digits[] = "0123456789abcdef";
    std::string hex;
    for (int i = 0; i < count; ++i) {
        hex += Digits[bytes[i] >> 4];
        hex += Digits[bytes[i] & 15];
    }
    return hex;
}

}  // namespace Ombrel::Live
