#pragma once

#include <string>
#include <vector>

#include "plugin/pack.h"
#include "programs/live/session_state.h"

namespace Ombrel::Live {

// The versions of one pack in a live session, and the moves between them.
//
// `current` runs (loaded as `pack`, or none). A version just started is on
// trial until it has drawn a frame: the version it replaced stays loaded
// (retired) until then, to go back to. `previous` is the last good version
// before `current`, of which only the copy is kept, for a crash. `trial` is
// the version being loaded and started, which a crash of the process is
// blamed on, from `Tried` until it fails or has drawn.
//
// Each transition changes the state alone: what it lets go of (a pack to
// unload, a copy to remove) it hands back for the caller to do.
class PackVersions {
public:
    // A pack the versions let go of, with the copy it was loaded from.
    struct LetGo {
        PluginPack* pack = nullptr;
        PackVersion version;
    };

    // What a restart takes up: the version that ran and the one before it.
    void Restore(const PackVersion& ran, const PackVersion& before);
    // After a restart: the version that ran is taken out to be tried again;
    // until then none runs.
    PackVersion Resumed();

    // `version` is being loaded and started: a crash from here is its.
    void Tried(const PackVersion& version);
    // The tried version, loaded as `loaded`, runs on trial; the one it
    // replaces is retired, still loaded. Its trial goes on until it draws.
    void Started(PluginPack* loaded);
    // The tried version did not load or start: what ran goes on.
    void Failed();
    // The version on trial has drawn a frame: it is good. Hands back the
    // retired pack (to unload) and a copy no longer kept (to remove), either
    // empty.
    LetGo Promoted();
    // The running version failed in a frame and is handed back. A version on
    // trial gives way to the retired one; another to none, and `back` is the
    // version before it, to be tried again (number 0: none).
    LetGo Crashed(PackVersion& back);
    // The running version goes without a successor (it could not start
    // again): none runs. Hands back its pack.
    PluginPack* Retired();

    const PackVersion& Current() const { return current; }
    PluginPack* Pack() const { return pack; }
    PluginPack* RetiredPack() const { return retired; }
    const PackVersion& Previous() const { return previous; }
    const PackVersion& Trial() const { return trial; }
    bool OnTrial() const { return onTrial; }
    // The version a restart runs: a version on trial has not yet shown that
    // it draws, so the one it replaced.
    const PackVersion& Kept() const { return onTrial ? retiredVersion : current; }
    // The copies still in use or kept for a crash (empty where there is none).
    std::vector<std::string> KeptCopies() const;

private:
    PackVersion current;
    PluginPack* pack = nullptr;
    PackVersion previous;
    PluginPack* retired = nullptr;
    PackVersion retiredVersion;
    bool onTrial = false;
    PackVersion trial;
};

}  // namespace Ombrel::Live
