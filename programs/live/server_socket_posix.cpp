#include <fcntl.h>

#include "programs/live/server_socket.h"

namespace Ombrel::Live {

bool KeepAddressExclusive(std::uintptr_t) {
    return true;
}

void KeepFromChildren(std::uintptr_t socket) {
    int descriptor = static_cast<int>(socket);
    int flags = fcntl(descriptor, F_GETFD);
    if (flags != -1) fcntl(descriptor, F_SETFD, flags | FD_CLOEXEC);
}

}  // namespace Ombrel::Live
