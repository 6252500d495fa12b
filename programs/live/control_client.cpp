#include "programs/live/control_client.h"

#include <chrono>
#include <thread>

namespace Ombrel::Live {

namespace {

std::unique_ptr<ControlConnection> Connect(const std::string& endpoint, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        std::unique_ptr<ControlConnection> connection = ConnectToControl(endpoint);
        if (connection || std::chrono::steady_clock::now() >= until) return connection;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace

ControlClient::ControlClient(std::string name, double seconds)
    : endpoint(std::move(name)), connectSeconds(seconds) {}

std::string ControlClient::Ask(const std::string& line) {
    // A connection to a session that has since ended fails at once; the
    // line is then sent once more, to the session started in its place.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!connection) connection = Connect(endpoint, connectSeconds);
        if (!connection) break;
        std::string answer;
        if (!connection->WriteLine(line)) {
            connection.reset();
            continue;
        }
        if (!connection->ReadLine(answer)) {
            connection.reset();
            return "error: no answer: the session ended or is starting again";
        }
        return answer;
    }
    return "error: no session to send the command to";
}

}  // namespace Ombrel::Live
