#include "programs/live/live_session.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/exception.h"
#include "audio/audio.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "host/settings.h"
#include "programs/live/build_runner.h"
#include "programs/live/control_command.h"
#include "programs/live/control_server.h"
#include "programs/live/file_watch.h"
#include "programs/live/live_demo.h"
#include "programs/live/live_status.h"
#include "programs/live/live_window.h"
#include "programs/live/private_folder.h"
#include "programs/live/process_resources.h"
#include "programs/live/session_state.h"
#include "programs/live/timeline.h"
#include "programs/support/child_process.h"
#include "programs/support/demo_folder.h"
#include "programs/support/exit_deadline.h"
#include "programs/support/interruption.h"
#include "programs/support/process.h"
#include "programs/support/terminal.h"

namespace {

using Clock = std::chrono::steady_clock;

const int MusicFrequency = 44100;
// A pack's file counts as written once it has stood still this long.
const double SettleSeconds = 0.1;
const auto WatchEvery = std::chrono::milliseconds(20);
const auto ShowEvery = std::chrono::milliseconds(250);
const auto StateEvery = std::chrono::milliseconds(100);
// A clock that stands still redraws its frame at about this rate, and a
// session without a window looks at its commands and files this often.
const auto PausedFrame = std::chrono::milliseconds(15);
const auto WindowlessFrame = std::chrono::milliseconds(50);
const double EndSeconds = 10.0;

long long Nanoseconds(Clock::time_point at) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

// Where the timeline stands, into the state handed on or the status shown,
// which name it alike.
template <typename Place>
void TakePlace(const Timeline& timeline, Place& place) {
    place.time = timeline.Time();
    place.playing = timeline.Playing();
    place.looping = timeline.Looping();
    place.loopStart = timeline.LoopStart();
    place.loopEnd = timeline.LoopEnd();
}

class Session {
public:
    Session(const LiveOptions& given, SessionState resumed);
    int Run();

private:
    // Lines for the terminal, with the status line kept below them.
    void Say(const std::string& line);
    void Fail(const std::string& error);
    void SendState();
    void Act(LiveKey key, Clock::time_point now);
    std::string Execute(const std::string& line, Clock::time_point now);
    std::string ReloadAll();
    void Watch(Clock::time_point now);
    void FollowTimeline();
    void Show(Clock::time_point now);
    LiveStatus Status() const;

    LiveOptions options;
    SessionState state;
    ParentChannel channel;
    bool terminal;
    PrivateFolder folder;
    Timeline timeline;
    SeekableMusic music;
    std::unique_ptr<ControlServer> control;
    std::unique_ptr<LiveDemo> demo;
    std::vector<WatchedFile> packWatches;
    std::vector<bool> reloadWanted;
    std::unique_ptr<WatchedFile> musicWatch;
    std::unique_ptr<BuildRunner> build;
    std::string musicFile;

    std::string lastError;
    bool firstProcess = true;
    bool ending = false;
    int status = 0;
    unsigned followed = 0;
    bool jumped = false;
    bool reloadShown = false;
    long long frames = 0;
    double fps = 0.0;
    long long framesCounted = 0;
    Clock::time_point countedSince;
    long long reloadShownNs = 0;
    long long jumpShownNs = 0;
    Clock::time_point lastWatch, lastShow, lastState;
    std::string shownTitle;
};

Session::Session(const LiveOptions& given, SessionState resumed)
    : options(given),
      state(std::move(resumed)),
      channel(given.channel.c_str()),
      terminal(Ombrel::Tools::IsTerminal(stderr)),
      folder(state.folder),
      timeline(state.time, state.playing, Clock::now()),
      music(MusicFrequency) {
    lastError = state.crashNote;
    // A process started again after a crash is told why.
    firstProcess = state.crashNote.empty();
    if (state.looping) timeline.SetLoop(state.loopStart, state.loopEnd, Clock::now());
}

void Session::Say(const std::string& line) {
    std::fprintf(stderr, "%sombrel-live: %s\n", terminal ? "\r\033[K" : "", line.c_str());
    std::fflush(stderr);
}

void Session::Fail(const std::string& error) {
    lastError = error;
    Say("error: " + error);
}

void Session::SendState() {
    TakePlace(timeline, state);
    state.frames = frames;
    demo->Fill(state);
    channel.Send("state " + state.Line());
}

LiveStatus Session::Status() const {
    LiveStatus shown;
    TakePlace(timeline, shown);
    shown.hasLoopStart = timeline.HasLoopStart();
    shown.hasLoopEnd = timeline.HasLoopEnd();
    shown.fps = fps;
    for (int slot = 0; slot < demo->SlotCount(); ++slot) {
        LiveStatus::Pack pack;
        pack.file = demo->SlotName(slot);
        pack.version = demo->SlotVersion(slot);
        pack.state = pack.version == 0 ? "missing" : demo->SlotOnTrial(slot) ? "trying" : "running";
        shown.packs.push_back(pack);
    }
    shown.error = lastError;
    shown.warnings = demo->Warnings();
    if (!music.HasOutput()) shown.warnings.push_back("no usable audio device: the music is silent");
    shown.pid = Ombrel::Tools::CurrentProcessId();
    shown.control = state.control;
    shown.folder = state.folder;
    shown.musicOutput = music.HasOutput();
    shown.musicOffsetMs = music.LastOffset() * 1000.0;
    shown.musicResyncs = music.Resyncs();
    shown.residentKb = Ombrel::Tools::ResidentKilobytes();
    shown.openHandles = Ombrel::Tools::OpenHandleCount();
    shown.privateFiles = folder.CountFiles();
    shown.frames = frames;
    shown.reloadShownNs = reloadShownNs;
    shown.jumpShownNs = jumpShownNs;
    return shown;
}

void Session::FollowTimeline() {
    if (timeline.Changes() == followed) return;
    followed = timeline.Changes();
    jumped = true;
    if (timeline.Playing()) {
        music.Play(timeline.AnchorSeconds(), timeline.AnchorAt());
    } else {
        music.Pause();
    }
}

std::string Session::ReloadAll() {
    // The window's pack first: its reload starts every plugin again anyway.
    for (int slot = demo->SlotCount() - 1; slot >= 0; --slot) {
        demo->Reload(slot, true);
        if (demo->AnyOnTrial()) demo->DrawFrame(static_cast<float>(timeline.Time()));
    }
    std::string answer = "ok";
    for (int slot = 0; slot < demo->SlotCount(); ++slot) {
        answer +=
            " " + demo->SlotName(slot) + " version " + std::to_string(demo->SlotVersion(slot));
    }
    return answer;
}

void Session::Act(LiveKey key, Clock::time_point now) {
    switch (key) {
        case LiveKey::PlayPause:
            timeline.Playing() ? timeline.Pause(now) : timeline.Play(now);
            break;
        case LiveKey::Back:
        case LiveKey::Forward:
        case LiveKey::BackLong:
        case LiveKey::ForwardLong:
            timeline.Step(StepSeconds(key), now);
            break;
        case LiveKey::Home:
            timeline.Seek(0.0, now);
            break;
        case LiveKey::LoopStart:
            timeline.MarkLoopStart(now);
            break;
        case LiveKey::LoopEnd:
            if (!timeline.MarkLoopEnd(now))
                Fail("the loop's end must come after its start (" +
                     Seconds(timeline.HasLoopStart() ? timeline.LoopStart() : 0.0) + " s)");
            break;
        case LiveKey::LoopClear:
            timeline.ClearLoop();
            break;
        case LiveKey::Reload:
            ReloadAll();
            break;
        case LiveKey::Timeline:
            // The supervisor holds the page's server and its address.
            channel.Send("timeline");
            break;
        case LiveKey::End:
            ending = true;
            break;
    }
}

std::string Session::Execute(const std::string& line, Clock::time_point now) {
    ControlCommand command;
    try {
        command = ParseControlCommand(line);
    } catch (const Ombrel::Exception& e) {
        return std::string("error: ") + e.message;
    }
    switch (command.kind) {
        case ControlCommand::Play:
            timeline.Play(now);
            return "ok playing at " + Seconds(timeline.Time());
        case ControlCommand::Pause:
            timeline.Pause(now);
            return "ok paused at " + Seconds(timeline.Time());
        case ControlCommand::Seek:
            timeline.Seek(command.first, now);
            return "ok at " + Seconds(timeline.Time());
        case ControlCommand::Loop:
            timeline.SetLoop(command.first, command.second, now);
            return "ok loop " + Seconds(command.first) + "-" + Seconds(command.second);
        case ControlCommand::LoopOff:
            timeline.ClearLoop();
            return "ok no loop";
        case ControlCommand::Reload:
            return ReloadAll();
        case ControlCommand::Status:
            return Status().Json();
        case ControlCommand::Quit:
            ending = true;
            return "ok quitting";
    }
    return "error: unknown command";
}

// A pack is reloaded when its file has changed and stood still, one pack at a
// time: a new version is on trial until its first frame.
void Session::Watch(Clock::time_point now) {
    if (now - lastWatch < WatchEvery) return;
    lastWatch = now;
    for (std::size_t slot = 0; slot < packWatches.size(); ++slot) {
        if (packWatches[slot].Changed(now)) reloadWanted[slot] = true;
    }
    for (std::size_t slot = packWatches.size(); slot-- > 0;) {
        if (!reloadWanted[slot] || demo->AnyOnTrial()) continue;
        reloadWanted[slot] = false;
        demo->Reload(static_cast<int>(slot), false);
    }
    demo->TellLateFailures(now);
    if (musicWatch && musicWatch->Changed(now)) {
        if (music.Load(musicFile)) {
            Say("the music " + musicFile + " was loaded again");
        } else {
            Fail(std::string(CantCreateStream) + ": " + MusicFileProblem(musicFile));
        }
    }
    if (build) {
        BuildRunner::Outcome outcome = build->Poll(now);
        if (outcome.ended && outcome.status == 0) {
            Say("build done in " + Seconds(outcome.seconds) + " s");
        } else if (outcome.ended) {
            for (const std::string& out : outcome.output) Say("build: " + out);
            Fail("build failed (status " + std::to_string(outcome.status) +
                 "): " + BuildErrorLine(outcome.output));
        }
    }
}

void Session::Show(Clock::time_point now) {
    double counted = std::chrono::duration<double>(now - countedSince).count();
    if (counted >= 1.0) {
        fps = (frames - framesCounted) / counted;
        framesCounted = frames;
        countedSince = now;
    }
    if (now - lastState >= StateEvery) {
        lastState = now;
        SendState();
    }
    if (now - lastShow < ShowEvery) return;
    lastShow = now;
    std::string line = Status().Line();
    std::string title = "ombrel-live  " + line;
    if (title != shownTitle) {
        SetDemoWindowTitle(title);
        shownTitle = title;
    }
    if (terminal) {
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
    }
}

int Session::Run() {
    std::string error;
    std::unique_ptr<ControlListener> listener =
        ListenForControl(state.control, firstProcess, error);
    if (listener) {
        control.reset(new ControlServer(std::move(listener)));
    } else {
        Say("warning: no control channel: " + error);
    }

    Settings chosen = {options.width, options.height, 32, false, options.english};
    std::vector<std::string> packFiles = {DemoFile(options.demoFolder, ScenePackFile),
                                          DemoFile(options.demoFolder, DevicePackFile)};
    LiveDemo::Events events;
    events.say = [this](const std::string& line) { Say(line); };
    events.fail = [this](const std::string& failure) { Fail(failure); };
    events.changed = [this] { SendState(); };
    events.started = [this](const std::string& pack) {
        if (lastError.compare(0, pack.size(), pack) == 0) lastError.clear();
    };
    events.shown = [this] { reloadShown = true; };
    demo.reset(new LiveDemo(chosen, packFiles, folder, events));
    demo->Restore(state);
    // Copies that a crashed process left and that nothing will load again.
    folder.RemoveAllBut(demo->KeptCopies());

    musicFile = DemoFile(options.demoFolder, MusicFile);
    if (!music.HasOutput())
        Say("warning: no usable audio device: the music plays silently, on the same clock");
    if (!music.Load(musicFile))
        Fail(std::string(CantCreateStream) + ": " + MusicFileProblem(musicFile));

    Clock::time_point now = Clock::now();
    for (const std::string& file : packFiles) packWatches.emplace_back(file, SettleSeconds, now);
    reloadWanted.assign(packFiles.size(), false);
    musicWatch.reset(new WatchedFile(musicFile, SettleSeconds, now));
    if (!options.buildCommand.empty())
        build.reset(new BuildRunner(options.buildCommand, options.sourcesFolder, now));

    // The window's pack first, then the scene's, each drawing a frame before
    // the next is tried, so that a crash is blamed on the right one.
    for (int slot = demo->SlotCount() - 1; slot >= 0; --slot) {
        demo->Resume(slot);
        if (demo->AnyOnTrial()) demo->DrawFrame(static_cast<float>(timeline.Time()));
    }
    demo->CheckNames();
    timeline.Seek(timeline.Time(), Clock::now());
    countedSince = lastShow = lastState = Clock::now();

    // The frame loop: keys and commands first, then the files, then a frame.
    while (!ending) {
        now = Clock::now();
        timeline.Advance(now);
        std::vector<LiveKey> keys;
        TakeLiveKeys(keys);
        for (LiveKey key : keys) Act(key, now);
        if (control) {
            for (ControlServer::Request& request : control->Take())
                request.answer->set_value(Execute(request.line, now));
        }
        if (Interrupted()) {
            ending = true;
            status = 130;
        }
        if (ending) break;
        FollowTimeline();
        Watch(now);

        bool window = demo->HasWindow();
        LiveDemo::FrameEnd end = demo->DrawFrame(static_cast<float>(timeline.Time()));
        Clock::time_point shown = Clock::now();
        if (end == LiveDemo::WindowClosed) break;
        if (end == LiveDemo::Drawn) {
            ++frames;
            if (reloadShown) reloadShownNs = Nanoseconds(shown);
            if (jumped) jumpShownNs = Nanoseconds(shown);
            reloadShown = jumped = false;
        }
        Show(shown);
        if (!window) {
            std::this_thread::sleep_for(WindowlessFrame);
        } else if (!timeline.Playing()) {
            std::this_thread::sleep_for(PausedFrame);
        }
    }

    demo->CloseWindow();
    if (terminal) std::fprintf(stderr, "\r\033[K");
    SendState();
    channel.Send("end " + std::to_string(status));
    EndWithin(EndSeconds, status, "ombrel-live");
    return status;
}

}  // namespace

int RunLiveSession(const LiveOptions& options) {
    PrepareChildProcess();
    CatchInterruptions();
    SessionState state;
    try {
        state = SessionState::Parse(options.resume);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: %s\n", e.message);
        return 1;
    }
    // The private folder is checked again here: nothing is copied into or
    // loaded from it when another user could have changed it since.
    std::unique_ptr<Session> session;
    try {
        session.reset(new Session(options, state));
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: %s\n", e.message);
        return 1;
    }
    return session->Run();
}
