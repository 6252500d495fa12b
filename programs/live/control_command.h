#pragma once

#include <string>

// One command of the control channel, as editors and scripts send it, one a
// line: play, pause, seek S, loop A B, loop off, reload, status, quit.
struct ControlCommand {
    enum Kind { Play, Pause, Seek, Loop, LoopOff, Reload, Status, Quit };
    Kind kind = Status;
    double first = 0.0;   // seek: the time; loop: its start
    double second = 0.0;  // loop: its end
};

// Reads one line. Throws Ombrel::Exception with the answer for a command that
// is unknown or malformed.
ControlCommand ParseControlCommand(const std::string& line);

// The commands with their arguments, for the answer to a wrong one.
const char* ControlCommandList();
