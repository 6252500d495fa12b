#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// What a live session has to hand on when its process is started again after
// a crash: where the timeline stood, which version of each pack ran and which
// one came before it, and which versions crashed. The running process sends it
// to the supervisor as one line whenever it changes; the supervisor starts
// the next process with the last line it got.

// One version of a pack: its private copy and the stamp of the demo file it
// was copied from (number 0: none). Each pack counts its versions 1, 2, 3...
// on its own; `order` places the version among the loads of every pack, for
// a crash to be blamed on the newest.
struct PackVersion {
    int number = 0;
    std::string copy;
    std::string stamp;
    long long order = 0;
};

struct PackState {
    std::string name;                        // the host's name for it, "Vantrope.so"
    PackVersion current;                     // the version that runs
    PackVersion previous;                    // the last good one before it, kept for a crash
    std::vector<std::string> crashedStamps;  // demo files whose version crashed
    int nextVersion = 1;                     // the number of its next version
};

struct SessionState {
    double time = 0.0;
    bool playing = true;
    bool looping = false;
    double loopStart = 0.0;
    double loopEnd = 0.0;
    double speed = 1.0;
    bool endLoops = false;    // at the end of the music: go round to 0 (else stop)
    int snap = 0;             // SnapMode
    long long nextOrder = 1;  // the order of the next version loaded
    long long frames = 0;     // frames drawn by the process that sent it
    std::string folder;       // the session's private folder
    std::string control;      // the control channel's endpoint
    // A version being loaded and started, which a crash now is blamed on.
    std::string trialPack;
    PackVersion trial;
    // Said after a restart: which version crashed and how.
    std::string crashNote;
    std::vector<PackState> packs;

    PackState* Find(const std::string& name);
    const PackState* Find(const std::string& name) const;

    // One line of text (no line break) and back; Parse throws
    // Ombrel::Exception naming what it cannot read.
    std::string Line() const;
    static SessionState Parse(const std::string& line);

    // After a crash of the process: the version on trial, or else the newest
    // version that runs, is blamed; its pack goes back to the version before
    // it, and its demo file is not loaded again until it changes. False when
    // there is no version to blame.
    bool BlameCrash(const std::string& how);
};

}  // namespace Ombrel::Live
