#pragma once

#include <functional>
#include <memory>
#include <string>

namespace Ombrel::Live {

// The timeline page's HTTP server: the page (embedded in the program), the
// session's state pushed to it as server-sent events, the commands it sends,
// and the music's waveform. It listens on 127.0.0.1 alone, lets through only
// what page_gate.h allows, and runs on threads of its own: one for the
// network, one that calls the handlers below in turn, so that a slow
// command holds up no page's events. It never touches the session: commands
// go through `command`, the state comes through Publish.
class TimelineServer {
public:
    struct Handlers {
        // The answer to one command line, as the control channel gives it.
        std::function<std::string(const std::string& line)> command;
        // The music's waveform: {"length":S,"peaks":[[min,max],...]}.
        std::function<std::string()> peaks;
    };

    // Listens on `port` (0: one the system picks). Throws Ombrel::Exception
    // naming the port when it cannot.
    TimelineServer(int port, Handlers handlers);
    ~TimelineServer();
    TimelineServer(const TimelineServer&) = delete;
    TimelineServer& operator=(const TimelineServer&) = delete;

    int Port() const;
    // http://127.0.0.1:PORT/?token=TOKEN, the one address that opens the page.
    std::string Address() const;

    // The session's state as one line of JSON, for every open page; pages
    // are sent it only when it differs from the last.
    void Publish(const std::string& state);
    // How many pages listen for the state now.
    int Listeners() const;

    // What the server's threads share (timeline_server.cpp).
    struct Shared;

private:
    std::shared_ptr<Shared> shared;
};

}  // namespace Ombrel::Live
