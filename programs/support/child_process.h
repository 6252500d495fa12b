#pragma once

#include <string>
#include <vector>

// Child processes of the programs beside the host (the validator, the
// live-development program): the program started again with other arguments,
// so that a plugin that crashes or hangs takes only the child down
// (child_process_posix.cpp, child_process_win32.cpp). The child reports
// through a channel of its own; its standard output goes to the parent's
// standard error, with whatever the plugins print.
class ChildProcess {
public:
    enum ReadResult { Line, Ended, TimedOut };

    ChildProcess();
    // Kills a child that still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts this program with `arguments` followed by "--channel <token>".
    // False, with `error` set, when it cannot be started.
    bool Start(const std::vector<std::string>& arguments, std::string& error);
    // The next line from the child's channel, without its line break, waiting
    // at most `seconds`. Ended once the child has closed the channel.
    ReadResult ReadLine(std::string& line, double seconds);
    // Ends the child at once.
    void Kill();
    // Waits for the child to end and says how it ended: empty for exit status
    // 0, otherwise for example "it was ended by signal 11 (Segmentation fault)".
    std::string Wait();

private:
    struct State;
    State* state;
};

// The child's end of the channel, from the token given after --channel.
class ParentChannel {
public:
    explicit ParentChannel(const char* token);
    ~ParentChannel();
    ParentChannel(const ParentChannel&) = delete;
    ParentChannel& operator=(const ParentChannel&) = delete;

    bool IsOpen() const;
    // Writes the line and a line break, at once, so that a crash right after
    // it loses nothing.
    void Send(const std::string& line);

private:
    struct State;
    State* state;
};

// Called first in a child: a crash ends the process at once, with a status
// that tells the parent what happened, and without a dialog or a core file.
void PrepareChildProcess();
