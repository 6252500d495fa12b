#include "programs/live/control_server.h"

#include <thread>
#include <utility>

namespace Ombrel::Live {

namespace {

// The answer comes from the session's thread; the client waits for it before
// its next line, so a client's commands are carried out in its order.
template <typename Queue, typename Request>
void ServeClient(std::shared_ptr<Queue> queue, std::unique_ptr<ControlConnection> client) {
    std::string line;
    while (client->ReadLine(line)) {
        Request request{line, std::make_shared<std::promise<std::string>>()};
        std::future<std::string> answer = request.answer->get_future();
        {
            std::lock_guard<std::mutex> guard(queue->lock);
            queue->requests.push_back(request);
        }
        if (!client->WriteLine(answer.get())) break;
    }
}

}  // namespace

ControlServer::ControlServer(std::unique_ptr<ControlListener> listener)
    : queue(std::make_shared<Queue>()) {
    Listen(std::move(listener));
}

void ControlServer::Listen(std::unique_ptr<ControlListener> listener) {
    std::shared_ptr<Queue> shared = queue;
    std::thread(
        [shared](std::unique_ptr<ControlListener> endpoint) {
            while (std::unique_ptr<ControlConnection> client = endpoint->Accept()) {
                std::thread(ServeClient<Queue, Request>, shared, std::move(client)).detach();
            }
        },
        std::move(listener))
        .detach();
}

std::vector<ControlServer::Request> ControlServer::Take() {
    std::lock_guard<std::mutex> guard(queue->lock);
    std::vector<Request> taken;
    taken.swap(queue->requests);
    return taken;
}

}  // namespace Ombrel::Live
