#pragma once

#include <string>

namespace Ombrel::Live {

// A secret for an address only its user is given: 16 bytes from the
// operating system's random source as 32 lowercase hex digits
// (random_token_posix.cpp: getrandom; random_token_win32.cpp:
// BCryptGenRandom). Throws Ombrel::Exception when the source fails.
std::string RandomToken();

// The bytes as lowercase hex digits.
std::string HexOf(const unsigned char* bytes, int count);

}  // namespace Ombrel::Live
