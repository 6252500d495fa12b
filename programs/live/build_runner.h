#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "programs/live/file_watch.h"

namespace Ombrel::Live {

// --build "CMD" --sources DIR: runs the author's build command, on a thread
// of its own, whenever a file under the sources has changed and stood still;
// a change during a build runs it again once that one has ended. The new
// pack file that a good build writes is reloaded by the session's watch, as
// any other change of the pack is.
class BuildRunner {
public:
    struct Outcome {
        bool ended = false;
        int status = 0;
        double seconds = 0.0;
        std::vector<std::string> output;
    };

    BuildRunner(std::string command, const std::string& sources, WatchClock::time_point now);

    // Looks at the sources and starts a build when they have changed. Returns
    // the outcome of a build that has ended since the last call (ended set).
    Outcome Poll(WatchClock::time_point now);
    bool Running() const;

private:
    struct Shared {
        std::mutex lock;
        bool running = false;
        Outcome finished;
    };

    std::string command;
    WatchedTree tree;
    bool wanted = false;
    std::shared_ptr<Shared> shared;
};

}  // namespace Ombrel::Live
