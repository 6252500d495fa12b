#include "programs/live/live_session.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "foundation/exception.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "host/settings.h"
#include "programs/live/atomic_file.h"
#include "programs/live/beat_grid.h"
#include "programs/live/build_errors.h"
#include "programs/live/build_runner.h"
#include "programs/live/control_command.h"
#include "programs/live/control_server.h"
#include "programs/live/crash_note.h"
#include "programs/live/file_watch.h"
#include "programs/live/fine_sleeps.h"
#include "programs/live/frame_pacer.h"
#include "programs/live/frame_times.h"
#include "programs/live/json_writer.h"
#include "programs/live/live_demo.h"
#include "programs/live/live_status.h"
#include "programs/live/live_window.h"
#include "programs/live/parent_watch.h"
#include "programs/live/private_folder.h"
#include "programs/live/process_resources.h"
#include "programs/live/session_state.h"
#include "programs/live/timeline.h"
#include "programs/live/timeline_marks.h"
#include "programs/live/timeline_state.h"
#include "programs/support/child_process.h"
#include "programs/support/demo_folder.h"
#include "programs/support/exit_deadline.h"
#include "programs/support/interruption.h"
#include "programs/support/process.h"
#include "programs/support/terminal.h"

namespace Ombrel::Live {

namespace {

using Clock = std::chrono::steady_clock;

const int MusicFrequency = 44100;
// A pack's file counts as written once it has stood still this long.
const double SettleSeconds = 0.1;
// At most once a frame (the frames come every 16.7 ms at 60 a second).
const auto WatchEvery = std::chrono::milliseconds(10);
const auto ShowEvery = std::chrono::milliseconds(250);
const auto StateEvery = std::chrono::milliseconds(100);
// Without a cap, a clock that stands still redraws its frame at about this
// rate; a session without a window looks at its commands and files this
// often.
const auto PausedFrame = std::chrono::milliseconds(15);
const auto WindowlessFrame = std::chrono::milliseconds(50);
const double EndSeconds = 10.0;
// The picture's frames, which `step` and snapping count in.
const double FrameRate = 60.0;
// The largest markers file read.
const std::size_t LargestMarksFile = 1024 * 1024;
// The lines of a failed build told on the terminal; the status has them all.
const std::size_t BuildLinesTold = 5;
const std::string BuildFailed = "build failed";

// The channel to the supervisor, for the end of a session whose display has
// gone, which comes from within the window system's library; the supervisor
// tells it.
Ombrel::Tools::ParentChannel* channelAtLoss = nullptr;

[[noreturn]] void EndForLostDisplay() {
    if (channelAtLoss != nullptr) channelAtLoss->Send("end " + std::to_string(DisplayGoneStatus));
    std::_Exit(DisplayGoneStatus);
}

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
    place.speed = timeline.Speed();
    place.endLoops = timeline.GetEndMode() == Timeline::EndMode::Loop;
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
    std::string ExecuteTimeline(const ControlCommand& command, Clock::time_point now);
    std::string StateJson(Clock::time_point now) const;
    void LoadMarks();
    // Writes the markers' file after a change; the answer's note when it
    // could not (the change is kept in the session all the same).
    std::string SaveMarks();
    double Snapped(double seconds) const;
    void TakeMusic(Clock::time_point now);
    std::string ReloadAll();
    void Watch(Clock::time_point now);
    void KeepFolder();
    void Listen();
    void FollowTimeline();
    void Show(Clock::time_point now);
    LiveStatus Status() const;
    std::vector<LiveStatus::Pack> Packs() const;

    LiveOptions options;
    SessionState state;
    Ombrel::Tools::ParentChannel channel;
    bool terminal;
    PrivateFolder folder;
    Timeline timeline;
    Ombrel::Audio::SeekableMusic music;
    std::unique_ptr<ControlServer> control;
    std::unique_ptr<LiveDemo> demo;
    std::vector<WatchedFile> packWatches;
    std::vector<bool> reloadWanted;
    std::unique_ptr<WatchedFile> musicWatch;
    std::unique_ptr<BuildRunner> build;
    std::string musicFile;
    TimelineMarks marks;
    std::string marksFile;
    SnapMode snap = SnapMode::Off;
    FrameTimes frameTimes;

    std::string lastError;
    std::string folderProblem, listenProblem;
    std::string buildOutput;
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
    std::string toldChanges;
    FramePacer pacer;
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
    timeline.SetSpeed(state.speed, Clock::now());
    if (state.endLoops) timeline.SetEndMode(Timeline::EndMode::Loop);
    snap = static_cast<SnapMode>(state.snap);
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
    state.snap = static_cast<int>(snap);
    state.frames = frames;
    demo->Fill(state);
    channel.Send("state " + state.Line());
}

std::vector<LiveStatus::Pack> Session::Packs() const {
    std::vector<LiveStatus::Pack> packs;
    for (int slot = 0; slot < demo->SlotCount(); ++slot) {
        LiveStatus::Pack pack;
        pack.file = demo->SlotName(slot);
        pack.version = demo->SlotVersion(slot);
        pack.state = pack.version == 0 ? "missing" : demo->SlotOnTrial(slot) ? "trying" : "running";
        packs.push_back(pack);
    }
    return packs;
}

LiveStatus Session::Status() const {
    LiveStatus shown;
    TakePlace(timeline, shown);
    shown.hasLoopStart = timeline.HasLoopStart();
    shown.hasLoopEnd = timeline.HasLoopEnd();
    shown.atEnd = timeline.AtEnd();
    shown.fps = fps;
    shown.packs = Packs();
    shown.error = lastError;
    shown.buildOutput = buildOutput;
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
    // The music is silent in slow motion, and starts again in step with the
    // picture at full speed.
    if (timeline.Playing() && timeline.Speed() == 1.0) {
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
        case LiveKey::FrameBack:
        case LiveKey::FrameForward:
            timeline.StepFrames(key == LiveKey::FrameBack ? -1 : 1, FrameRate, now);
            break;
        case LiveKey::AddMarker: {
            std::string name = marks.markers.FreeName("m");
            try {
                marks.markers.Add(name, timeline.Time());
                Say("marker " + name + " at " + Seconds(timeline.Time()) + " s" + SaveMarks());
            } catch (const Ombrel::Exception& e) {
                Fail(e.message);
            }
            break;
        }
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
    try {
        return ExecuteTimeline(command, now);
    } catch (const Ombrel::Exception& e) {
        return std::string("error: ") + e.message;
    }
}

std::string Session::ExecuteTimeline(const ControlCommand& command, Clock::time_point now) {
    switch (command.kind) {
        case ControlCommand::Play:
            timeline.Play(now);
            return "ok playing at " + Seconds(timeline.Time());
        case ControlCommand::Pause:
            timeline.Pause(now);
            return "ok paused at " + Seconds(timeline.Time());
        case ControlCommand::Seek:
            timeline.Seek(Snapped(command.first), now);
            return "ok at " + Seconds(timeline.Time());
        case ControlCommand::Loop: {
            double start = Snapped(command.first), end = Snapped(command.second);
            if (!timeline.SetLoop(start, end, now)) {
                throw Ombrel::Exception("loop: %.3f-%.3f snapped to %s leaves no loop",
                                        command.first, command.second, SnapModeName(snap));
            }
            return "ok loop " + Seconds(start) + "-" + Seconds(end);
        }
        case ControlCommand::LoopOff:
            timeline.ClearLoop();
            return "ok no loop";
        case ControlCommand::Speed:
            timeline.SetSpeed(command.first, now);
            return "ok speed " + JsonNumber(command.first);
        case ControlCommand::Step:
            timeline.StepFrames(command.whole, FrameRate, now);
            return "ok paused at " + Seconds(timeline.Time());
        case ControlCommand::Tempo:
            marks.hasTempo = true;
            marks.tempo.bpm = std::round(command.first * 1000.0) / 1000.0;
            marks.tempo.offset = ToMilliseconds(command.second);
            marks.tempo.beatsPerBar = command.whole;
            return "ok tempo " + JsonNumber(marks.tempo.bpm, 3) + " " +
                   Seconds(marks.tempo.offset) + " " + std::to_string(command.whole) + SaveMarks();
        case ControlCommand::TempoOff:
            marks.hasTempo = false;
            return "ok no tempo" + SaveMarks();
        case ControlCommand::SnapOff:
        case ControlCommand::SnapBeats:
        case ControlCommand::SnapFrames:
            snap = command.kind == ControlCommand::SnapBeats    ? SnapMode::Beats
                   : command.kind == ControlCommand::SnapFrames ? SnapMode::Frames
                                                                : SnapMode::Off;
            return std::string("ok snap ") + SnapModeName(snap);
        case ControlCommand::MarkerAdd:
            marks.markers.Add(command.name, command.first);
            return "ok marker " + command.name + " at " +
                   Seconds(marks.markers.TimeOf(command.name)) + SaveMarks();
        case ControlCommand::MarkerRename:
            marks.markers.Rename(command.name, command.newName);
            return "ok marker " + command.newName + " at " +
                   Seconds(marks.markers.TimeOf(command.newName)) + SaveMarks();
        case ControlCommand::MarkerMove:
            marks.markers.Move(command.name, command.first);
            return "ok marker " + command.name + " at " +
                   Seconds(marks.markers.TimeOf(command.name)) + SaveMarks();
        case ControlCommand::MarkerDelete:
            marks.markers.Delete(command.name);
            return "ok no marker " + command.name + SaveMarks();
        case ControlCommand::MarkerJump:
            timeline.Seek(marks.markers.TimeOf(command.name), now);
            return "ok at " + Seconds(timeline.Time());
        case ControlCommand::EndStop:
        case ControlCommand::EndLoop:
            timeline.SetEndMode(command.kind == ControlCommand::EndLoop ? Timeline::EndMode::Loop
                                                                        : Timeline::EndMode::Stop);
            return command.kind == ControlCommand::EndLoop ? "ok end loop" : "ok end stop";
        case ControlCommand::State:
            return StateJson(now);
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

double Session::Snapped(double seconds) const {
    return Snap(snap, marks.hasTempo ? &marks.tempo : nullptr, FrameRate, seconds);
}

std::string Session::StateJson(Clock::time_point now) const {
    TimelineState shown;
    TakePlace(timeline, shown);
    shown.length = music.Length();
    shown.atEnd = timeline.AtEnd();
    shown.snap = snap;
    shown.frameRate = FrameRate;
    shown.hasTempo = marks.hasTempo;
    shown.tempo = marks.tempo;
    shown.markers = marks.markers.All();
    for (const LiveStatus::Pack& pack : Packs())
        shown.packs.push_back(TimelineState::Pack{pack.file, pack.version, pack.state});
    shown.lastError = lastError;
    shown.frameTimes = frameTimes.Last(now);
    return shown.Json();
}

// A markers file that cannot be read is reported and left as it is: the
// session goes on without markers, and writes the file only when the author
// changes one.
void Session::LoadMarks() {
    marksFile = Ombrel::Tools::DemoFile(options.demoFolder, TimelineMarksFile);
    try {
        std::string text;
        if (ReadSmallFile(marksFile, LargestMarksFile, text))
            marks = ParseTimelineMarks(text, marksFile);
    } catch (const Ombrel::Exception& e) {
        marks = TimelineMarks();
        Fail(e.message);
    }
}

std::string Session::SaveMarks() {
    try {
        WriteFileAtomically(marksFile, TimelineMarksText(marks));
        return "";
    } catch (const Ombrel::Exception& e) {
        Fail(e.message);
        return std::string(" (not saved: ") + e.message + ")";
    }
}

// The music's end follows the music file as it is loaded. (The page's
// waveform is decoded by the supervisor when a page asks for it.)
void Session::TakeMusic(Clock::time_point now) {
    timeline.SetEnd(music.Length(), now);
}

// A pack is reloaded when its file has changed and stood still, one pack at a
// time: a new version is on trial until its first frame.
void Session::Watch(Clock::time_point now) {
    if (now - lastWatch < WatchEvery) return;
    lastWatch = now;
    KeepFolder();
    for (std::size_t slot = 0; slot < packWatches.size(); ++slot) {
        if (packWatches[slot].Changed(now)) reloadWanted[slot] = true;
    }
    if (build) {
        BuildRunner::Outcome outcome = build->Poll(now);
        if (outcome.ended && outcome.status == 0) {
            Say("build done in " + Seconds(outcome.seconds) + " s");
            // The failure it mends is no longer news.
            if (lastError.compare(0, BuildFailed.size(), BuildFailed) == 0) lastError.clear();
            buildOutput.clear();
            // The build's last step has written the pack: it is taken now,
            // not once its file has stood still (Reload passes over a pack
            // whose file is the one running).
            reloadWanted.assign(reloadWanted.size(), true);
        } else if (outcome.ended) {
            for (const std::string& out : BuildErrorLines(outcome.output, BuildLinesTold))
                Say("build: " + out);
            buildOutput = BuildOutputText(outcome.output);
            Fail(BuildFailed + " (status " + std::to_string(outcome.status) +
                 "): " + BuildErrorLine(outcome.output));
        }
    }

    for (std::size_t slot = packWatches.size(); slot-- > 0;) {
        if (!reloadWanted[slot] || demo->AnyOnTrial()) continue;
        reloadWanted[slot] = false;
        demo->Reload(static_cast<int>(slot), false);
    }
    demo->TellLateFailures(now);
    if (musicWatch && musicWatch->Changed(now)) {
        if (music.Load(musicFile)) {
            TakeMusic(now);
            Say("the music " + musicFile + " was loaded again");
        } else {
            Fail(std::string(Ombrel::Audio::CantCreateStream) + ": " +
                 Ombrel::Audio::MusicFileProblem(musicFile));
        }
    }
}

// A clean-up of the temporary files may take the private folder, and the
// control socket in it, while the session runs: every copy, and so every
// reload, would fail from then on, and no command would reach the session.
// Both are made again, the folder with the checks it was first made with.
void Session::KeepFolder() {
    try {
        if (folder.MakeAgainIfMissing())
            Say("the private folder " + folder.Path() + " had been removed: made again");
        folderProblem.clear();
    } catch (const Ombrel::Exception& e) {
        // Told once, not at every look.
        if (folderProblem != e.message) Fail(e.message);
        folderProblem = e.message;
        return;
    }
    // A channel that never started (its path too long) is not tried again.
    if (!control || ControlEndpointExists(state.control)) return;
    Listen();
    if (ControlEndpointExists(state.control))
        Say("the control channel " + state.control + " had been removed: listening again");
}

void Session::Listen() {
    std::string error;
    std::unique_ptr<ControlListener> listener =
        ListenForControl(state.control, firstProcess && !control, error);
    if (!listener) {
        // Said once: the next look finds no endpoint again and tries again.
        if (listenProblem != error) Say("warning: no control channel: " + error);
        listenProblem = error;
    } else if (control) {
        listenProblem.clear();
        control->Listen(std::move(listener));
    } else {
        control.reset(new ControlServer(std::move(listener)));
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
    // A new device pack may open its window on another display.
    pacer.SetRate(ChosenFrameRate(options.fps, DemoWindowRefreshRate()));
    WatchDisplay(EndForLostDisplay);
    LiveStatus shown = Status();
    std::string line = shown.Line();
    std::string title = "ombrel-live  " + line;
    SetDemoWindowTitle(title);
    if (terminal) {
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
    } else if (shown.Changes() != toldChanges) {
        // Through a pipe (an IDE, a log): a plain line for each change.
        toldChanges = shown.Changes();
        Say(line);
    }
}

int Session::Run() {
    Listen();

    Ombrel::Host::Settings chosen = {options.width, options.height, 32, false, options.english};
    std::vector<std::string> packFiles = {
        Ombrel::Tools::DemoFile(options.demoFolder, Ombrel::Host::ScenePackFile),
        Ombrel::Tools::DemoFile(options.demoFolder, Ombrel::Host::DevicePackFile)};
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

    musicFile = Ombrel::Tools::DemoFile(options.demoFolder, Ombrel::Host::MusicFile);
    if (!music.HasOutput())
        Say("warning: no usable audio device: the music plays silently, on the same clock");
    Clock::time_point now = Clock::now();
    if (music.Load(musicFile)) {
        TakeMusic(now);
    } else {
        Fail(std::string(Ombrel::Audio::CantCreateStream) + ": " +
             Ombrel::Audio::MusicFileProblem(musicFile));
    }
    LoadMarks();

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
    channelAtLoss = &channel;
    AskFineSleeps();
    WatchDisplay(EndForLostDisplay);
    pacer.SetRate(ChosenFrameRate(options.fps, DemoWindowRefreshRate()));

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
        if (Ombrel::Tools::Interrupted()) {
            ending = true;
            status = 130;
        }
        // On Linux the supervisor's end is an interruption too.
        if (!ending && ParentGone()) {
            Say("the supervisor has gone: the session ends");
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
            frameTimes.Note(shown);
            if (reloadShown) reloadShownNs = Nanoseconds(shown);
            if (jumped) jumpShownNs = Nanoseconds(shown);
            reloadShown = jumped = false;
        }
        Show(shown);
        if (!window) {
            std::this_thread::sleep_for(WindowlessFrame);
        } else if (pacer.Rate() > 0.0) {
            std::this_thread::sleep_until(pacer.Next(Clock::now()));
        } else if (!timeline.Playing()) {
            std::this_thread::sleep_for(PausedFrame);
        }
    }

    demo->CloseWindow();
    if (terminal) std::fprintf(stderr, "\r\033[K");
    SendState();
    channel.Send("end " + std::to_string(status));
    Ombrel::Tools::EndWithin(EndSeconds, status, "ombrel-live");
    return status;
}

}  // namespace

int RunLiveSession(const LiveOptions& options) {
    Ombrel::Tools::PrepareChildProcess();
    Ombrel::Tools::CatchInterruptions();
    WatchParent();
    SessionState state;
    try {
        state = SessionState::Parse(options.resume);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: %s\n", e.message);
        return 1;
    }
    WriteCrashNoteOnFault(CrashNotePath(state.folder));
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

}  // namespace Ombrel::Live
