#pragma once

#include <sys/types.h>

#include <string>

namespace Ombrel::Live {

// Why the client at the other end of the connected Unix socket `socket` is
// refused: "" when it runs as `owner`, else a line that names its user. The
// control socket's mode already keeps other users out; this holds even when
// the socket's folder or mode was changed behind the session's back.
std::string RefusedPeer(int socket, uid_t owner);

}  // namespace Ombrel::Live
