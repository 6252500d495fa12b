#include "programs/live/build_runner.h"

#include <thread>

#include "programs/live/shell_command.h"

namespace Ombrel::Live {

namespace {

// Sources settle faster than a linker's output: an editor writes in one go,
// and a change during a build runs it again anyway.
const double SettleSeconds = 0.05;

}  // namespace

BuildRunner::BuildRunner(std::string buildCommand, const std::string& sources,
                         WatchClock::time_point now)
    : command(std::move(buildCommand)),
      tree(sources, SettleSeconds, now),
      shared(std::make_shared<Shared>()) {}

bool BuildRunner::Running() const {
    std::lock_guard<std::mutex> guard(shared->lock);
    return shared->running;
}

BuildRunner::Outcome BuildRunner::Poll(WatchClock::time_point now) {
    if (tree.Changed(now)) wanted = true;
    Outcome outcome;
    std::lock_guard<std::mutex> guard(shared->lock);
    if (shared->finished.ended) {
        outcome = shared->finished;
        shared->finished = Outcome();
    }
    if (wanted && !shared->running) {
        wanted = false;
        shared->running = true;
        std::shared_ptr<Shared> state = shared;
        std::string run = command;
        std::thread([state, run] {
            Outcome result;
            auto began = WatchClock::now();
            result.status = Ombrel::Tools::RunShellCommand(
                run, [&result](const std::string& line) { result.output.push_back(line); });
            result.seconds = std::chrono::duration<double>(WatchClock::now() - began).count();
            result.ended = true;
            std::lock_guard<std::mutex> done(state->lock);
            state->finished = result;
            state->running = false;
        }).detach();
    }
    return outcome;
}

}  // namespace Ombrel::Live
