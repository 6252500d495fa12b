#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/demo_graph.h"
#include "plugin/pack.h"
#include "plugin/registry.h"
#include "programs/live/file_watch.h"
#include "programs/live/pack_versions.h"
#include "programs/live/private_folder.h"
#include "programs/live/session_state.h"

namespace Ombrel::Live {

// The demo graph of the host with packs that are replaced while it runs.
//
// Each of the demo's packs has a slot. A new version of a pack is copied to
// the private folder, loaded from the copy with every check the host makes,
// and started in place of the one before: the calls of the old version are
// stopped (the window's pack last, after its window has closed), the values
// its plugins stored are forgotten, and the calls are made, bound and started
// again as the host's graph makes them (every call when the window's pack
// changes, which renews the window). The old version stays loaded until the
// new one has drawn its first frame; a new version that fails to load, to
// start or to draw that frame gives way to it again. A version that throws
// later gives way to the last good version before it.
class LiveDemo {
public:
    struct Events {
        std::function<void(const std::string&)> say;      // a line worth telling
        std::function<void(const std::string&)> fail;     // an error to show
        std::function<void()> changed;                    // versions or trial changed
        std::function<void(const std::string&)> started;  // a pack's new version runs
        std::function<void()> shown;                      // a new version has drawn its first frame
    };

    enum FrameEnd { Drawn, WindowClosed, Failed };

    // The slots of the packs at `packFiles` (in the host's order: the scene's
    // pack, then the window's), no version loaded yet.
    LiveDemo(const Ombrel::Host::Settings& chosen, const std::vector<std::string>& packFiles,
             PrivateFolder& folder, Events events);
    ~LiveDemo();
    LiveDemo(const LiveDemo&) = delete;
    LiveDemo& operator=(const LiveDemo&) = delete;

    // Takes up the versions and crashes of an earlier process of the session,
    // and each pack's next version number.
    void Restore(const SessionState& state);
    // Loads the slot's current version again from its copy (after a restart)
    // and then, or only, the demo file when it is newer.
    void Resume(int slot);

    // Copies the slot's demo file and puts the copy in place of the running
    // version. `forced`: also when the file is the one running.
    void Reload(int slot, bool forced);
    // A load that failed while the file may still have been being written is
    // told only once the file has stood still for a while (the watch says
    // when it changes again).
    void TellLateFailures(WatchClock::time_point now);

    // One frame at `seconds`: the scene drawn, then shown.
    FrameEnd DrawFrame(float seconds);

    // Closes the window through its pack, as the session ends.
    void CloseWindow();

    // From now on (once every pack has been tried at the start), warns of
    // the plugins the graph calls that no loaded pack has, with the nearest
    // name that one has.
    void CheckNames();

    int SlotCount() const { return static_cast<int>(slots.size()); }
    const std::string& SlotName(int slot) const { return slots[slot].name; }
    const std::string& SlotFile(int slot) const { return slots[slot].file; }
    int SlotVersion(int slot) const { return slots[slot].versions.Current().number; }
    bool SlotOnTrial(int slot) const { return slots[slot].versions.OnTrial(); }
    bool AnyOnTrial() const;
    bool HasWindow() const;
    std::vector<std::string> Warnings() const { return warnings; }
    // The copies that are still in use or kept for a crash.
    std::vector<std::string> KeptCopies() const;
    void Fill(SessionState& state) const;

private:
    struct Slot {
        std::string name;  // as the host names it, "Vantrope.so"
        std::string file;  // in the demo folder
        PackVersions versions;
        int nextVersion = 1;
        std::vector<std::string> crashedStamps;
        // A load that failed, told once the file has stood still.
        std::string lateFailure;
        FileStamp lateStamp;
        WatchClock::time_point lateSince;
    };
    typedef PluginCall Ombrel::Host::DemoCalls::*CallField;

    PluginPack* Load(const std::string& copy);
    void Switch(Slot& slot, PluginPack* from, PluginPack* to);
    // The slot's own version could not start again either: its calls go
    // without a plugin, whatever that costs, and the version is unloaded.
    void DropCurrent(Slot& slot);
    std::unique_ptr<PluginRegistry> RegistryWith(const Slot& slot, PluginPack* pack) const;
    void StopCalls(const std::vector<CallField>& calls, bool window);
    void ForgetValues(const std::vector<CallField>& calls);
    // A version of the slot is tried: it alone is blamed for a crash.
    void Try(Slot& slot, const PackVersion& version);
    bool Start(Slot& slot, PluginPack* pack);
    void Promote(Slot& slot);
    void GiveWay(Slot& slot, const std::string& why);
    Slot* Owner(const PluginCall& call);
    void CheckNamesIfStarted();
    std::string Named(const Slot& slot, int version) const;

    Ombrel::Host::Settings settings;
    PrivateFolder& folder;
    Events events;
    std::vector<Slot> slots;
    std::unique_ptr<PluginRegistry> registry;
    std::unique_ptr<Ombrel::Host::DemoGraph> graph;
    long long nextOrder = 1;
    std::vector<std::string> warnings;
    bool checkingNames = false;
};

}  // namespace Ombrel::Live
