#include <winsock2.h>

#include "programs/live/exclusive_address.h"

bool KeepAddressExclusive(std::uintptr_t socket) {
    BOOL on = TRUE;
    return setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                      reinterpret_cast<const char*>(&on), sizeof on) == 0;
}
