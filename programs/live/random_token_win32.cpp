#include <windows.h>
// After windows.h, whose types it uses.
#include <bcrypt.h>

#include "foundation/exception.h"
#include "programs/live/random_token.h"

namespace Ombrel::Live {

std::string RandomToken() {
    unsigned char bytes[16];
    NTSTATUS status =
        BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status != 0)
        throw Ombrel::Exception("timeline token: the random source failed (status 0x%lx)",
                                static_cast<unsigned long>(status));
    return HexOf(bytes, sizeof bytes);
}

}  // namespace Ombrel::Live
