#pragma once

#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "programs/live/control_endpoint.h"

namespace Ombrel::Live {

// The control channel of a running session: clients of the endpoint send
// commands, one a line, and get one line back for each. A thread of its own
// waits for clients and one per client waits for its lines; the commands are
// carried out by the session's thread between frames, which takes them with
// Take and answers each. The threads end with the process.
class ControlServer {
public:
    struct Request {
        std::string line;
        std::shared_ptr<std::promise<std::string>> answer;
    };

    explicit ControlServer(std::unique_ptr<ControlListener> listener);

    // Waits for clients at another endpoint too (the same one made again),
    // into the same queue: the clients of the first go on being answered.
    void Listen(std::unique_ptr<ControlListener> listener);

    // The commands that came since the last call, in order.
    std::vector<Request> Take();

private:
    struct Queue {
        std::mutex lock;
        std::vector<Request> requests;
    };
    std::shared_ptr<Queue> queue;
};

}  // namespace Ombrel::Live
