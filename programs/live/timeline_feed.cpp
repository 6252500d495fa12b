#include "programs/live/timeline_feed.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "programs/live/control_client.h"
#include "programs/live/open_address.h"
#include "programs/live/timeline_server.h"
#include "programs/live/waveform_peaks.h"

namespace Ombrel::Live {

namespace {

// How often the state is asked for while a page listens (and at once after a
// command).
const auto PageStateEvery = std::chrono::milliseconds(50);
// A command waits this long for a session that is starting again; the state
// is not waited for, it is asked again soon anyway.
const double CommandConnectSeconds = 10.0;
const double StateConnectSeconds = 0.0;

// The music's waveform in as many columns as the page is likely to be wide.
const int PageWaveformColumns = 2000;

// Wakes the state's thread before its time: after a command, whose effect the
// pages should see at once.
struct Nudge {
    std::mutex lock;
    std::condition_variable wake;
    bool given = false;

    void Give() {
        {
            std::lock_guard<std::mutex> guard(lock);
            given = true;
        }
        wake.notify_one();
    }
    void WaitAtMost(std::chrono::milliseconds most) {
        std::unique_lock<std::mutex> guard(lock);
        wake.wait_for(guard, most, [this] { return given; });
        given = false;
    }
};

}  // namespace

TimelineFeed::TimelineFeed(int port, const std::string& endpoint, const std::string& musicFile) {
    auto commands = std::make_shared<ControlClient>(endpoint, CommandConnectSeconds);
    auto nudge = std::make_shared<Nudge>();
    TimelineServer::Handlers handlers;
    handlers.command = [commands, nudge](const std::string& line) {
        std::string answer = commands->Ask(line);
        nudge->Give();
        return answer;
    };
    handlers.peaks = [musicFile] {
        std::atomic<bool> never{false};
        return WaveformJson(ComputeWaveformPeaks(musicFile, PageWaveformColumns, never));
    };
    server = std::make_shared<TimelineServer>(port, handlers);

    // Ends with the process, as the server's threads do.
    std::shared_ptr<TimelineServer> served = server;
    std::thread([served, endpoint, nudge] {
        ControlClient client(endpoint, StateConnectSeconds);
        for (;;) {
            if (served->Listeners() > 0) {
                std::string state = client.Ask("state");
                if (state.compare(0, 1, "{") == 0) served->Publish(state);
            }
            nudge->WaitAtMost(PageStateEvery);
        }
    }).detach();
}

std::string TimelineFeed::Address() const {
    return server->Address();
}

bool TimelineFeed::OpenInBrowser(const std::string& privateFolder, std::string& error) const {
    // In a folder of its own: the session removes the private folder's loose
    // files (copies of packs) when it starts.
    std::string folder = privateFolder + "/page";
    std::error_code made;
    std::filesystem::create_directory(folder, made);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, made);
    std::string file = folder + "/timeline.html";
    std::string address = Address();
    std::ofstream page(file, std::ios::binary | std::ios::trunc);
    page << "<!doctype html>\n<meta charset=\"utf-8\">\n<title>ombrel-live timeline</title>\n"
         << "<meta http-equiv=\"refresh\" content=\"0;url=" << address << "\">\n"
         << "<a href=\"" << address << "\">" << address << "</a>\n";
    page.close();
    if (!page) {
        error = file + ": cannot be written";
        return false;
    }
    return OpenAddress(file, error);
}

}  // namespace Ombrel::Live
