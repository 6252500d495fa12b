#include <winsock2.h>

#include "programs/live/server_socket.h"

namespace Ombrel::Live {

bool KeepAddressExclusive(std::uintptr_t socket) {
    BOOL on = TRUE;
    return setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE,
                      reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

void KeepFromChildren(std::uintptr_t socket) {
    SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
}

}  // namespace Ombrel::Live
