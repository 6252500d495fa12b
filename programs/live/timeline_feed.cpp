#include "programs/live/timeline_feed.h"

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "programs/live/control_client.h"
#include "programs/live/open_address.h"
#include "programs/live/timeline_server.h"

namespace {

// How often the state is asked for while a page listens (and at once after a
// command).
const auto PageStateEvery = std::chrono::milliseconds(50);
// A command waits this long for a session that is starting again; the state
// is not waited for, it is asked again soon anyway.
const double CommandConnectSeconds = 10.0;
const double StateConnectSeconds = 0.0;

// Stand-in until the session answers "state": its "status", whose JSON the
// page reads too (timeline.js, FromStatus).
std::string AskState(ControlClient& client, bool& stateKnown) {
    if (stateKnown) {
        std::string answer = client.Ask("state");
        if (answer.compare(0, 29, "error: unknown command \"state") != 0) return answer;
        stateKnown = false;
    }
    return client.Ask("status");
}

// Stand-in until the music's peaks come from the waveform of the live model:
// the min and max of each of 2000 columns of the decoded music.
std::string PeaksStandIn(const std::string& musicFile) {
    const int Rate = 44100, Columns = 2000;
    std::unique_ptr<MusicStream> stream = OpenMusicFile(musicFile, Rate);
    if (!stream) return "{\"length\":0,\"peaks\":[]}";
    std::vector<float> mono;
    std::vector<float> piece(2 * 4096);
    stream->Play(true);
    for (;;) {
        std::fill(piece.begin(), piece.end(), 0.0f);
        int made = stream->MixInto(piece.data(), 4096);
        if (made <= 0) break;
        for (int i = 0; i < made; ++i) mono.push_back(0.5f * (piece[2 * i] + piece[2 * i + 1]));
    }
    std::string json = "{\"length\":" + std::to_string(mono.size() / double(Rate)) + ",\"peaks\":[";
    for (int column = 0; column < Columns && !mono.empty(); ++column) {
        std::size_t from = mono.size() * column / Columns,
                    to = mono.size() * (column + 1) / Columns;
        float low = 0.0f, high = 0.0f;
        for (std::size_t i = from; i < to; ++i) {
            low = std::min(low, mono[i]);
            high = std::max(high, mono[i]);
        }
        char pair[48];
        std::snprintf(pair, sizeof pair, "%s[%.3f,%.3f]", column ? "," : "", low, high);
        json += pair;
    }
    return json + "]}";
}

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
    handlers.peaks = [musicFile] { return PeaksStandIn(musicFile); };
    server = std::make_shared<TimelineServer>(port, handlers);

    // Ends with the process, as the server's threads do.
    std::shared_ptr<TimelineServer> served = server;
    std::thread([served, endpoint, nudge] {
        ControlClient client(endpoint, StateConnectSeconds);
        bool stateKnown = true;
        for (;;) {
            if (served->Listeners() > 0) {
                std::string state = AskState(client, stateKnown);
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
