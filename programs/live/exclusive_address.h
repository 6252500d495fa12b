#pragma once

#include <cstdint>

// Keeps the address a listening socket binds to for it alone: Windows lets
// another process bind the same port with SO_REUSEADDR unless the first asks
// for SO_EXCLUSIVEADDRUSE (exclusive_address_win32.cpp); Linux never lets
// another user's socket take a bound port (exclusive_address_posix.cpp).
// Called before binding, with the socket's native handle. False when the
// system refused.
bool KeepAddressExclusive(std::uintptr_t socket);
