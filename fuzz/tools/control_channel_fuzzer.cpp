// The control channel as a client of the live program writes it: bytes in
// any pieces, made into lines, each line read as a command. A line is never
// longer than the reader keeps, and every command either reads as one of
// the table's or is refused with Ombrel::Exception; a time it reads is a
// finite number of seconds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "programs/live/control_command.h"
#include "programs/live/control_endpoint.h"

using namespace Ombrel::Live;

namespace {

// Hands the input on in pieces whose sizes the input's first byte sets.
class BytesConnection final : public ControlConnection {
public:
    BytesConnection(const uint8_t* data, size_t size) : at(data), left(size) {
        if (left > 0) {
            piece = 1 + *at % 64;
            ++at;
            --left;
        }
    }

protected:
    std::size_t Receive(char* buffer, std::size_t size) override {
        std::size_t given = std::min<std::size_t>({size, left, piece});
        std::memcpy(buffer, at, given);
        at += given;
        left -= given;
        return given;
    }
    std::size_t Send(const char*, std::size_t size) override { return size; }

private:
    const uint8_t* at;
    size_t left;
    size_t piece = 1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BytesConnection connection(data, size);
    std::string line;
    while (connection.ReadLine(line)) {
        if (line.size() > 64 * 1024 + 1024 || line.find('\n') != std::string::npos) abort();
        try {
            ControlCommand command = ParseControlCommand(line);
            if (!std::isfinite(command.first) || !std::isfinite(command.second) ||
                command.first < 0 || command.second < 0)
                abort();
            if (command.kind == ControlCommand::Loop && !(command.first < command.second)) abort();
        } catch (const Ombrel::Exception& e) {
            if (std::strlen(e.message) == 0) abort();
        }
    }
    return 0;
}
