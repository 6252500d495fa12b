#pragma once

#include <memory>
#include <string>

class TimelineServer;

// The timeline page's server as the supervisor runs it, fed through the
// session's control channel like any other client: the page's commands are
// sent as command lines and answered by the session's own thread, and while
// a page listens the session's state is asked for about 20 times a second
// and pushed to the pages when it changed. The page keeps its address
// across the session's restarts.
class TimelineFeed {
public:
    // Throws Ombrel::Exception when the server cannot listen on `port`.
    TimelineFeed(int port, const std::string& endpoint, const std::string& musicFile);

    std::string Address() const;

private:
    std::shared_ptr<TimelineServer> server;
};
