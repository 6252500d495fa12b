#include "programs/live/supervisor.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "foundation/exception.h"
#include "host/music.h"
#include "host/pack_files.h"
#include "programs/live/control_client.h"
#include "programs/live/control_endpoint.h"
#include "programs/live/crash_note.h"
#include "programs/live/live_session.h"
#include "programs/live/own_folder.h"
#include "programs/live/parent_watch.h"
#include "programs/live/private_folder.h"
#include "programs/live/session_state.h"
#include "programs/live/timeline_feed.h"
#include "programs/support/child_process.h"
#include "programs/support/demo_folder.h"
#include "programs/support/interruption.h"
#include "programs/support/process.h"

namespace Ombrel::Live {

namespace {

// How long a command from standard input waits for a session that is
// starting (again).
const double ConnectSeconds = 60.0;
// Crashes in a row, with no frame drawn in between, after which the session
// is given up: nothing is left to blame them on.
const int MostCrashesInARow = 8;
// How long a session asked to end gets before it is ended.
const double QuitSeconds = 10.0;

// Standard input to the control channel, one command a line; each answer to
// standard output. At the end of the input the session goes on.
void RelayStandardInput(const std::string& endpoint) {
    std::thread([endpoint] {
        ControlClient client(endpoint, ConnectSeconds);
        for (std::string line; std::getline(std::cin, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            std::printf("%s\n", client.Ask(line).c_str());
            std::fflush(stdout);
        }
    }).detach();
}

void AskToQuit(const std::string& endpoint) {
    std::unique_ptr<ControlConnection> connection = ConnectToControl(endpoint);
    std::string answer;
    if (connection && connection->WriteLine("quit")) connection->ReadLine(answer);
}

SessionState FirstState(const LiveOptions& options, const std::string& folder,
                        const std::string& control) {
    SessionState state;
    state.time = options.start;
    state.playing = !options.paused;
    state.looping = options.looping;
    state.loopStart = options.loopStart;
    state.loopEnd = options.loopEnd;
    state.folder = folder;
    state.control = control;
    for (const char* name : {Ombrel::Host::ScenePackFile, Ombrel::Host::DevicePackFile}) {
        PackState pack;
        pack.name = name;
        state.packs.push_back(pack);
    }
    return state;
}

void OpenTimeline(const TimelineFeed* timeline, const std::string& folder) {
    std::string error;
    if (!timeline) {
        std::fprintf(stderr, "ombrel-live: no timeline page to open\n");
    } else if (!timeline->OpenInBrowser(folder, error)) {
        std::fprintf(stderr, "ombrel-live: the timeline page does not open: %s\n", error.c_str());
    }
    std::fflush(stderr);
}

// The timeline page's server, or null (said why) when it cannot listen: the
// session goes on without it.
std::unique_ptr<TimelineFeed> StartTimeline(const LiveOptions& options, const std::string& endpoint,
                                            const std::string& folder) {
    std::unique_ptr<TimelineFeed> timeline;
    try {
        timeline.reset(
            new TimelineFeed(options.timelinePort, endpoint,
                             Ombrel::Tools::DemoFile(options.demoFolder, Ombrel::Host::MusicFile)));
        std::fprintf(stderr, "ombrel-live: timeline: %s\n", timeline->Address().c_str());
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: warning: no timeline page: %s\n", e.message);
    }
    std::fflush(stderr);
    if (options.openTimeline) OpenTimeline(timeline.get(), folder);
    return timeline;
}

// What stops a session before it starts, said before anything is made.
std::string CheckFolders(const LiveOptions& options) {
    std::error_code error;
    if (!options.demoFolder.empty() && !std::filesystem::is_directory(options.demoFolder, error))
        return "--demo " + options.demoFolder + ": no such folder";
    if (!options.sourcesFolder.empty() &&
        !std::filesystem::is_directory(options.sourcesFolder, error))
        return "--sources " + options.sourcesFolder + ": no such folder";
    return "";
}

}  // namespace

int RunSupervisor(const LiveOptions& options, const std::vector<std::string>& arguments) {
    std::string wrong = CheckFolders(options);
    if (!wrong.empty()) {
        std::fprintf(stderr, "ombrel-live: %s\n", wrong.c_str());
        return 2;
    }
    Ombrel::Tools::CatchInterruptions();
    WatchParent();
    int session = Ombrel::Tools::CurrentProcessId();
    std::string path, endpoint;
    std::unique_ptr<PrivateFolder> folder;
    try {
        path = PrivateFolder::Make(Ombrel::Tools::PrivateRoot(), session);
        folder.reset(new PrivateFolder(path));
        endpoint = ControlEndpointName(path, session);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "ombrel-live: %s; the session does not start\n", e.message);
        return 1;
    }
    std::fprintf(stderr, "ombrel-live: control channel: %s (or lines on standard input)\n",
                 endpoint.c_str());
    std::fflush(stderr);
    RelayStandardInput(endpoint);
    std::unique_ptr<TimelineFeed> timeline = StartTimeline(options, endpoint, path);

    SessionState state = FirstState(options, path, endpoint);
    int status = 1;
    int crashesInARow = 0;
    long long framesAtStart = 0;
    for (;;) {
        Ombrel::Tools::ChildProcess child;
        std::vector<std::string> childArguments = arguments;
        childArguments.push_back("--resume");
        childArguments.push_back(state.Line());
        std::string error;
        TakeCrashNote(CrashNotePath(path));
        if (!child.Start(childArguments, error)) {
            std::fprintf(stderr, "ombrel-live: %s\n", error.c_str());
            break;
        }
        bool ended = false, asked = false;
        auto askedAt = std::chrono::steady_clock::now();
        std::string line;
        Ombrel::Tools::ChildProcess::ReadResult read;
        while ((read = child.ReadLine(line, 0.25)) != Ombrel::Tools::ChildProcess::Ended) {
            if (read == Ombrel::Tools::ChildProcess::Line && line.compare(0, 6, "state ") == 0) {
                try {
                    state = SessionState::Parse(line.substr(6));
                } catch (const Ombrel::Exception&) {
                }
            } else if (read == Ombrel::Tools::ChildProcess::Line && line == "timeline") {
                OpenTimeline(timeline.get(), path);
            } else if (read == Ombrel::Tools::ChildProcess::Line &&
                       line.compare(0, 4, "end ") == 0) {
                ended = true;
                status = std::atoi(line.c_str() + 4);
            }
            // Asked to end (Ctrl-C in a terminal reaches both processes; a
            // signal to this one alone does not): the session is asked too.
            // So is a supervisor whose caller has gone (the -live target, a
            // terminal): no one is left to see the session.
            if ((Ombrel::Tools::Interrupted() || ParentGone()) && !asked) {
                asked = true;
                askedAt = std::chrono::steady_clock::now();
                AskToQuit(endpoint);
            }
            if (asked && std::chrono::steady_clock::now() - askedAt >
                             std::chrono::duration<double>(QuitSeconds)) {
                child.Kill();
            }
        }
        std::string how = child.Wait();
        if (ended && status == DisplayGoneStatus)
            std::fprintf(stderr, "ombrel-live: the display has gone: the session ends\n");
        if (ParentGone()) {
            std::fprintf(stderr, "ombrel-live: the program that started it has gone: ending\n");
            if (!ended) status = 130;
            break;
        }
        if (ended) break;
        if (Ombrel::Tools::Interrupted()) {
            status = 130;
            break;
        }
        std::string where = TakeCrashNote(CrashNotePath(path));
        if (!how.empty() && !where.empty()) how += " " + where;
        crashesInARow = state.frames > framesAtStart ? 1 : crashesInARow + 1;
        if (!state.BlameCrash(how.empty() ? "it ended without a word" : how) ||
            crashesInARow > MostCrashesInARow) {
            std::fprintf(stderr, "ombrel-live: the session ended: %s\n",
                         how.empty() ? "without a word" : how.c_str());
            status = 1;
            break;
        }
        std::fprintf(stderr, "ombrel-live: %s\n", state.crashNote.c_str());
        std::fflush(stderr);
        framesAtStart = state.frames = 0;
    }
    folder->RemoveFolder();
    return status;
}

}  // namespace Ombrel::Live
