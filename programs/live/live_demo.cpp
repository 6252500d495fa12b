#include "programs/live/live_demo.h"

#include <algorithm>
#include <filesystem>

#include "foundation/exception.h"
#include "plugin/module.h"
#include "programs/live/live_window.h"
#include "programs/support/demo_folder.h"
#include "programs/support/graph_plugins.h"

namespace Ombrel::Live {

using namespace Ombrel::Host;

namespace {

const char* const OtherException = "an exception of another type than Ombrel::Exception";
// How long a file whose copy did not load must stand still before that is
// told: a linker that is still writing it makes it change before then.
const double LateSeconds = 1.0;

bool Owns(PluginPack* pack, PluginDescriptor* descriptor) {
    return pack != nullptr && descriptor != nullptr && pack->descriptors.Contains(descriptor);
}

bool Has(const std::vector<PluginCall DemoCalls::*>& calls, PluginCall DemoCalls::*call) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

// A module that the pack's constructor rejected (a wrong magic number, a
// missing entry point) stays loaded, as the host leaves it. Loading it once
// more finds it and counts one more load; giving both back unloads it.
void ReleaseRejected(const std::string& copy) {
    ModuleHandle again = LoadModule(copy.c_str());
    if (again == nullptr) return;
    UnloadModule(again);
    UnloadModule(again);
}

}  // namespace

LiveDemo::LiveDemo(const Settings& chosen, const std::vector<std::string>& packFiles,
                   PrivateFolder& privateFolder, Events told)
    : folder(privateFolder), events(std::move(told)), registry(new PluginRegistry) {
    for (const std::string& file : packFiles) {
        Slot slot;
        slot.name = std::filesystem::path(file).filename().string();
        slot.file = file;
        slots.push_back(slot);
    }
    graph.reset(new DemoGraph(*registry, chosen));
}

LiveDemo::~LiveDemo() = default;

std::string LiveDemo::Named(const Slot& slot, int version) const {
    return slot.name + " version " + std::to_string(version);
}

bool LiveDemo::AnyOnTrial() const {
    return std::any_of(slots.begin(), slots.end(),
                       [](const Slot& s) { return s.versions.OnTrial(); });
}

bool LiveDemo::HasWindow() const {
    return DemoWindowExists();
}

void LiveDemo::Restore(const SessionState& state) {
    nextOrder = state.nextOrder;
    for (Slot& slot : slots) {
        const PackState* saved = state.Find(slot.name);
        if (saved == nullptr) continue;
        slot.nextVersion = saved->nextVersion;
        slot.versions.Restore(saved->current, saved->previous);
        slot.crashedStamps = saved->crashedStamps;
    }
}

// One version at a time is being loaded and started, and a crash then is
// its; otherwise a version that started and has not drawn yet is blamed.
void LiveDemo::Fill(SessionState& state) const {
    state.nextOrder = nextOrder;
    state.trialPack.clear();
    state.trial = PackVersion();
    bool loading = false;
    for (const Slot& slot : slots) {
        const PackVersion& trial = slot.versions.Trial();
        if (trial.number == 0 || loading) continue;
        loading = trial.number != slot.versions.Current().number;
        state.trialPack = slot.name;
        state.trial = trial;
    }
    state.packs.clear();
    for (const Slot& slot : slots) {
        PackState saved;
        saved.name = slot.name;
        saved.current = slot.versions.Kept();
        saved.previous = slot.versions.Previous();
        saved.crashedStamps = slot.crashedStamps;
        saved.nextVersion = slot.nextVersion;
        state.packs.push_back(saved);
    }
}

std::vector<std::string> LiveDemo::KeptCopies() const {
    std::vector<std::string> copies;
    for (const Slot& slot : slots) {
        std::vector<std::string> kept = slot.versions.KeptCopies();
        copies.insert(copies.end(), kept.begin(), kept.end());
    }
    return copies;
}

// Every check the host makes when it adds a pack, with its messages.
PluginPack* LiveDemo::Load(const std::string& copy) {
    PluginPack* pack = nullptr;
    try {
        pack = new PluginPack(copy.c_str());
    } catch (const Ombrel::Exception& e) {
        Ombrel::Exception told = Ombrel::Tools::WithLoaderReason(e);
        ReleaseRejected(copy);
        throw told;
    }
    try {
        pack->LoadPlugins();
    } catch (...) {
        PluginPack::Unload(pack);
        throw;
    }
    return pack;
}

std::unique_ptr<PluginRegistry> LiveDemo::RegistryWith(const Slot& changed,
                                                       PluginPack* pack) const {
    std::unique_ptr<PluginRegistry> made(new PluginRegistry);
    for (const Slot& slot : slots) {
        PluginPack* in = &slot == &changed ? pack : slot.versions.Pack();
        if (in != nullptr) made->packs.Insert(in);
    }
    return made;
}

// The plugins of the calls are stopped directly: the host's calls loop and so
// never forward Stop, and the plugins must let go of what they made before
// their module goes. The window closes after the other calls have let go of
// what they made in its context, and before its own calls stop.
void LiveDemo::StopCalls(const std::vector<CallField>& calls, bool window) {
    for (const DemoStopStep& step : DemoStopOrder) {
        if (step.action == DemoStopStep::CloseWindow) {
            if (window) CloseWindow();
            continue;
        }
        PluginCall& call = graph->calls.*step.call;
        if (!Has(calls, step.call) || call.plugin == nullptr) continue;
        try {
            call.plugin->Stop();
        } catch (const Ombrel::Exception& e) {
            events.say(std::string("warning: Stop of ") + call.descriptor->name.GetText() +
                       " failed: " + e.message);
        } catch (...) {
            events.say(std::string("warning: Stop of ") + call.descriptor->name.GetText() +
                       " failed: " + OtherException);
        }
    }
}

// The values that the stopped plugins stored through their "out" arguments
// were theirs; the variables let go of them.
void LiveDemo::ForgetValues(const std::vector<CallField>& calls) {
    for (const DemoBinding& binding : DemoBindings) {
        const PluginDescriptor* descriptor = (graph->calls.*binding.call).descriptor;
        if (!Has(calls, binding.call) || descriptor == nullptr ||
            binding.index >= descriptor->GetArgumentCount() ||
            descriptor->inFlags.data[binding.index]) {
            continue;
        }
        (graph->variables.*binding.variable).value = nullptr;
    }
}

void LiveDemo::CloseWindow() {
    if (!DemoWindowExists()) return;
    if (graph->calls.printCall.plugin != nullptr) {
        RequestDemoWindowClose();
        // The device pack handles one window message per frame.
        for (int frame = 0; frame < 100 && DemoWindowExists(); ++frame) {
            try {
                graph->PresentFrame();
            } catch (...) {
                // The close message itself, or a pack that fails as its
                // window goes: whether the window went is all that counts
                // here, and it is destroyed below if it did not.
            }
        }
    }
    if (DemoWindowExists()) DestroyDemoWindow();
}

// Puts `to` in the slot's place of `from` (either may be null): the calls
// that ran `from`'s plugins or that find theirs in `to` are stopped, made,
// bound and started again; all of them when the window's calls are among
// them. Exceptions of the new calls' start pass on.
void LiveDemo::Switch(Slot& slot, PluginPack* from, PluginPack* to) {
    std::unique_ptr<PluginRegistry> next = RegistryWith(slot, to);
    std::vector<CallField> calls;
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        PluginCall probe(*next, entry.pluginName);
        if (Owns(from, (graph->calls.*entry.call).descriptor) || Owns(to, probe.descriptor))
            calls.push_back(entry.call);
    }
    bool window = std::any_of(calls.begin(), calls.end(), OwnsWindow);
    if (window) {
        calls.clear();
        for (const DemoCallPlugin& entry : DemoCallPlugins) calls.push_back(entry.call);
    }
    StopCalls(calls, window);
    ForgetValues(calls);
    if (window) ForgetDemoWindowClass();

    registry = std::move(next);
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        if (!Has(calls, entry.call)) continue;
        graph->calls.*entry.call = PluginCall(*registry, entry.pluginName);
        graph->BindCall(entry.call);
    }
    for (const DemoStartStep& step : DemoFirstStart) {
        if (Has(calls, step.call)) graph->RunStartStep(step);
    }
}

void LiveDemo::Try(Slot& slot, const PackVersion& version) {
    slot.versions.Tried(version);
    events.changed();
}

// Starts the slot's tried version, loaded as `pack`, in the slot's place; the
// version before stays loaded (retired) until this one has drawn a frame. On
// a failure to start, the version before is started again.
bool LiveDemo::Start(Slot& slot, PluginPack* pack) {
    std::string failure;
    try {
        Switch(slot, slot.versions.Pack(), pack);
    } catch (const Ombrel::Exception& e) {
        failure = e.message;
    } catch (...) {
        failure = OtherException;
    }
    if (failure.empty()) {
        slot.versions.Started(pack);
        CheckNamesIfStarted();
        events.changed();
        return true;
    }
    std::string told = Named(slot, slot.versions.Trial().number) + ": " + failure;
    try {
        Switch(slot, pack, slot.versions.Pack());
        if (slot.versions.Pack() != nullptr)
            told += "; version " + std::to_string(slot.versions.Current().number) + " goes on";
    } catch (...) {
        // Why it did not start again matters less than that it did not: the
        // line says so, and the version is dropped.
        told += "; the version before did not start again either";
        DropCurrent(slot);
    }
    PluginPack::Unload(pack);
    slot.versions.Failed();
    CheckNamesIfStarted();
    events.changed();
    events.fail(told);
    return false;
}

void LiveDemo::Reload(int index, bool forced) {
    Slot& slot = slots[index];
    FileStamp stamp = StampOf(slot.file);
    slot.lateFailure.clear();
    if (std::find(slot.crashedStamps.begin(), slot.crashedStamps.end(), stamp.Text()) !=
        slot.crashedStamps.end()) {
        if (forced)
            events.say(slot.name + " crashed the session; it is not loaded again until it changes");
        return;
    }
    if (!forced && stamp.Text() == slot.versions.Current().stamp) return;

    PackVersion version;
    version.number = slot.nextVersion++;
    version.order = nextOrder++;
    version.stamp = stamp.Text();
    std::string failure;
    if (!stamp.exists) {
        failure = "Unable to load: " + slot.file;
    } else {
        try {
            version.copy = folder.Copy(slot.file, version.number);
        } catch (const Ombrel::Exception& e) {
            failure = e.message;
        }
    }
    PluginPack* pack = nullptr;
    if (failure.empty()) {
        // From here a crash of the process is this version's.
        Try(slot, version);
        try {
            pack = Load(version.copy);
        } catch (const Ombrel::Exception& e) {
            failure = e.message;
            slot.versions.Failed();
            events.changed();
        }
    }
    if (!failure.empty()) {
        PrivateFolder::Remove(version.copy);
        slot.lateFailure = Named(slot, version.number) + ": " + failure;
        slot.lateStamp = stamp;
        slot.lateSince = WatchClock::now();
        return;
    }
    if (Start(slot, pack)) {
        events.say(Named(slot, version.number) + " started");
        events.started(slot.name);
    } else {
        PrivateFolder::Remove(version.copy);
    }
}

void LiveDemo::Resume(int index) {
    Slot& slot = slots[index];
    PackVersion saved = slot.versions.Resumed();
    std::error_code error;
    if (saved.number != 0 && std::filesystem::exists(saved.copy, error)) {
        Try(slot, saved);
        PluginPack* pack = nullptr;
        try {
            pack = Load(saved.copy);
        } catch (const Ombrel::Exception& e) {
            events.fail(Named(slot, saved.number) + ": " + e.message);
            slot.versions.Failed();
            events.changed();
        }
        if (pack != nullptr) Start(slot, pack);
    }
    // The file may have changed while no process watched it.
    if (StampOf(slot.file).Text() != saved.stamp || slot.versions.Pack() == nullptr)
        Reload(index, false);
}

void LiveDemo::TellLateFailures(WatchClock::time_point now) {
    for (Slot& slot : slots) {
        if (slot.lateFailure.empty()) continue;
        if (StampOf(slot.file) != slot.lateStamp) {
            slot.lateFailure.clear();
        } else if (now - slot.lateSince >= std::chrono::duration<double>(LateSeconds)) {
            std::string goesOn =
                slot.versions.Pack() != nullptr
                    ? "; version " + std::to_string(slot.versions.Current().number) + " goes on"
                    : "";
            events.fail(slot.lateFailure + goesOn);
            slot.lateFailure.clear();
        }
    }
}

void LiveDemo::Promote(Slot& slot) {
    PackVersions::LetGo gone = slot.versions.Promoted();
    if (gone.pack != nullptr) PluginPack::Unload(gone.pack);
    PrivateFolder::Remove(gone.version.copy);
    events.changed();
    events.shown();
}

// The running version failed in a frame: a version on trial gives way to the
// one it replaced (still loaded); another to the last good version before it,
// loaded again from its copy, or to none.
void LiveDemo::GiveWay(Slot& slot, const std::string& why) {
    std::string told = Named(slot, slot.versions.Current().number) + ": " + why;
    PackVersion back;
    PackVersions::LetGo failed = slot.versions.Crashed(back);
    try {
        Switch(slot, failed.pack, slot.versions.Pack());
    } catch (...) {
        // The version it gives way to did not start: the line below says
        // that the slot waits for a new build.
        DropCurrent(slot);
    }
    PluginPack::Unload(failed.pack);
    PrivateFolder::Remove(failed.version.copy);
    std::error_code error;
    if (back.number != 0 && std::filesystem::exists(back.copy, error)) {
        Try(slot, back);
        try {
            Start(slot, Load(back.copy));
        } catch (const Ombrel::Exception&) {
            // The good version before did not load again: as above, the line
            // below says that the slot waits for a new build.
            slot.versions.Failed();
        }
    }
    CheckNamesIfStarted();
    events.changed();
    told += slot.versions.Pack() != nullptr
                ? "; going on with version " + std::to_string(slot.versions.Current().number)
                : "; waiting for a new build";
    events.fail(told);
}

LiveDemo::Slot* LiveDemo::Owner(const PluginCall& call) {
    for (Slot& slot : slots) {
        if (Owns(slot.versions.Pack(), call.descriptor) ||
            Owns(slot.versions.RetiredPack(), call.descriptor))
            return &slot;
    }
    return nullptr;
}

LiveDemo::FrameEnd LiveDemo::DrawFrame(float seconds) {
    std::string failure;
    PluginCall* failing = &graph->calls.drawSceneCall;
    try {
        graph->DrawFrame(seconds);
        failing = &graph->calls.printCall;
        graph->PresentFrame();
    } catch (const Ombrel::Exception& e) {
        if (failing == &graph->calls.printCall && EndsTheFrames(e.message)) return WindowClosed;
        failure = e.message;
    } catch (...) {
        failure = OtherException;
    }
    if (!failure.empty()) {
        Slot* owner = Owner(*failing);
        if (owner != nullptr)
            GiveWay(*owner, failure);
        else
            events.fail(failure);
        return Failed;
    }
    for (Slot& slot : slots) {
        if (slot.versions.OnTrial()) Promote(slot);
    }
    return Drawn;
}

void LiveDemo::DropCurrent(Slot& slot) {
    try {
        Switch(slot, slot.versions.Pack(), nullptr);
    } catch (...) {
        // A start of the calls made again (every call, when the window is
        // renewed): this version goes all the same, and the caller tells why.
    }
    PluginPack::Unload(slot.versions.Retired());
}

void LiveDemo::CheckNamesIfStarted() {
    if (checkingNames) CheckNames();
}

void LiveDemo::CheckNames() {
    checkingNames = true;
    std::vector<Ombrel::Tools::LoadedPlugin> loaded;
    for (const Slot& slot : slots) {
        if (slot.versions.Pack() != nullptr)
            Ombrel::Tools::AddLoadedPlugins(*slot.versions.Pack(), slot.name, loaded);
    }
    std::vector<std::string> found = Ombrel::Tools::MissingGraphPlugins(*graph, loaded);
    for (const std::string& warning : found) {
        if (std::find(warnings.begin(), warnings.end(), warning) == warnings.end())
            events.say("warning: " + warning);
    }
    warnings = found;
}

}  // namespace Ombrel::Live
