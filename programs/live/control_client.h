#pragma once

#include <memory>
#include <string>

#include "programs/live/control_endpoint.h"

namespace Ombrel::Live {

// A client of the session's control channel that outlives the session's
// restarts: it connects when first asked, and again when the session it was
// connected to has gone. Used by the supervisor for the lines of its standard
// input and for the timeline page. Not locked: one thread asks.
class ControlClient {
public:
    // `connectSeconds`: how long a question waits for a session that is
    // starting (again).
    ControlClient(std::string endpoint, double connectSeconds);

    // The session's answer to the command line; "error: ..." when no
    // session answers.
    std::string Ask(const std::string& line);

private:
    std::string endpoint;
    double connectSeconds;
    std::unique_ptr<ControlConnection> connection;
};

}  // namespace Ombrel::Live
