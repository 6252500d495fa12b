#include "programs/live/control_endpoint.h"

namespace Ombrel::Live {

namespace {

// No command comes near this; a client that sends more without a line break
// is cut off rather than kept in memory.
const std::size_t LongestLine = 64 * 1024;

}  // namespace

bool ControlConnection::ReadLine(std::string& line) {
    for (;;) {
        std::size_t end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (pending.size() > LongestLine) return false;
        char buffer[1024];
        std::size_t got = Receive(buffer, sizeof buffer);
        if (got == 0) return false;
        pending.append(buffer, got);
    }
}

bool ControlConnection::WriteLine(const std::string& line) {
    std::string record = line + "\n";
    const char* data = record.data();
    std::size_t left = record.size();
    while (left > 0) {
        std::size_t sent = Send(data, left);
        if (sent == 0) return false;
        data += sent;
        left -= sent;
    }
    return true;
}

}  // namespace Ombrel::Live
