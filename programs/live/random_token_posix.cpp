#include <sys/random.h>

#include <cerrno>
#include <cstring>

#include "foundation/exception.h"
#include "programs/live/random_token.h"

namespace Ombrel::Live {

std::string RandomToken() {
    unsigned char bytes[16];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t read = getrandom(bytes + got, sizeof bytes - got, 0);
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0)
            throw Ombrel::Exception("timeline token: the random source failed: %s",
                                    std::strerror(errno));
        got += static_cast<std::size_t>(read);
    }
    return HexOf(bytes, sizeof bytes);
}

}  // namespace Ombrel::Live
