#pragma once

#include <cstdint>

namespace Ombrel::Live {

// What the timeline page's server asks of the system for its sockets, given
// their native handles (server_socket_posix.cpp, server_socket_win32.cpp).

// Keeps the address a listening socket binds to for it alone: Windows lets
// another process bind the same port with SO_REUSEADDR unless the first asks
// for SO_EXCLUSIVEADDRUSE; Linux never lets another user's socket take a
// bound port. Called before binding. False when the system refused.
bool KeepAddressExclusive(std::uintptr_t socket);

// Keeps the socket out of the processes this one starts (the session, the
// browser's opener): one that held the listening socket would keep the port
// after this process ended, and one that held a page's connection would keep
// it open after the server closed it.
void KeepFromChildren(std::uintptr_t socket);

}  // namespace Ombrel::Live
