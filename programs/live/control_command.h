#pragma once

#include <string>

namespace Ombrel::Live {

// One command of the control channel, as editors, scripts and the timeline
// page send it, one a line: play, pause, seek S, loop A B, loop off, speed F,
// step N, tempo BPM OFFSET BEATS, tempo off, snap off|beats|frames, the
// marker commands, end stop|loop, reload, status, state, quit.
struct ControlCommand {
    enum Kind {
        Play,
        Pause,
        Seek,
        Loop,
        LoopOff,
        Speed,
        Step,
        Tempo,
        TempoOff,
        SnapOff,
        SnapBeats,
        SnapFrames,
        MarkerAdd,
        MarkerRename,
        MarkerMove,
        MarkerDelete,
        MarkerJump,
        EndStop,
        EndLoop,
        Reload,
        Status,
        State,
        Quit
    };
    Kind kind = Status;
    // The numbers in the order given: seek: the time; loop: its start and
    // end; speed: the factor; tempo: beats a minute and the first beat;
    // marker add, marker move: the time.
    double first = 0.0;
    double second = 0.0;
    int whole = 0;        // step: frames (negative: back); tempo: beats a bar
    std::string name;     // marker: its name
    std::string newName;  // marker rename: the new name
};

// Reads one line. Throws Ombrel::Exception with the answer for a command that
// is unknown or malformed, naming the command.
ControlCommand ParseControlCommand(const std::string& line);

// The commands with their arguments, for the answer to a wrong one.
const char* ControlCommandList();

}  // namespace Ombrel::Live
