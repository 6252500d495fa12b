#pragma once

#include <memory>
#include <string>

namespace Ombrel::Live {

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

    // Opens the page in the default browser, through a file in the private
    // folder that leads the browser on to the address: given to the opener
    // itself, the address and its token would stand in the process list,
    // which every user of the machine can read. False, with `error` set,
    // when the file cannot be written or the opener not started.
    bool OpenInBrowser(const std::string& privateFolder, std::string& error) const;

private:
    std::shared_ptr<TimelineServer> server;
};

}  // namespace Ombrel::Live
