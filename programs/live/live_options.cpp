#include "programs/live/live_options.h"

#include "foundation/exception.h"
#include "programs/live/control_command.h"
#include "programs/support/option_table.h"

namespace Ombrel::Live {

namespace {

using Ombrel::Tools::Option;

const double Latest = 1e7;

bool ReadLoop(const std::string& text, LiveOptions& options) {
    std::string first, last;
    if (!Ombrel::Tools::SplitRange(text, first, last) ||
        !Ombrel::Tools::ReadSeconds(first, Latest, true, options.loopStart) ||
        !Ombrel::Tools::ReadSeconds(last, Latest, true, options.loopEnd) ||
        !(options.loopStart < options.loopEnd)) {
        return false;
    }
    options.looping = true;
    return true;
}

// The one table of the options: the reading and the usage are made from it.
// The rows without help are given by the supervisor only.
std::vector<Option> LiveTable(LiveOptions& o) {
    using namespace Ombrel::Tools;
    return {
        Option("--demo", "FOLDER",
               "the demo's folder: its packs and Data/audio.ogg (default: here)",
               TakeText(o.demoFolder)),
        Option("--size", "WxH", "the window's size (default 640x480)",
               [&o](const std::string& v) { return ReadSize(v, o.width, o.height); }),
        Option("--english", "", "the setup dialog's English (default Spanish)", SetFlag(o.english)),
        Option("--start", "S", "the time to start at, in seconds (default 0)",
               [&o](const std::string& v) { return ReadSeconds(v, Latest, true, o.start); }),
        Option("--loop", "A-B", "play from A to B seconds over and over",
               [&o](const std::string& v) { return ReadLoop(v, o); }),
        Option("--paused", "", "start with the clock standing still", SetFlag(o.paused)),
        Option("--fps", "N", "N frames a second at most, 0 no cap (default: the display's)",
               [&o](const std::string& v) { return ReadInteger(v, 0, 1000, o.fps); }),
        Option("--build", "\"CMD\"", "run CMD on a change under the --sources folder",
               TakeText(o.buildCommand)),
        Option("--sources", "DIR", "the folder whose changes run the --build command",
               TakeText(o.sourcesFolder)),
        Option("--timeline", "", "open the timeline page in the browser", SetFlag(o.openTimeline)),
        Option("--timeline-port", "P", "the timeline page's port (default: a free one)",
               [&o](const std::string& v) { return ReadInteger(v, 0, 65535, o.timelinePort); }),
        Option("--help", "", "this text", SetFlag(o.help)),
        Option("--channel", "TOKEN", "", TakeText(o.channel)),
        Option("--resume", "STATE", "", TakeText(o.resume)),
    };
}

}  // namespace

LiveOptions ParseLiveOptions(const std::vector<std::string>& arguments) {
    LiveOptions options;
    Ombrel::Tools::Wording wording;
    wording.unknown = "unknown option \"{argument}\"";
    wording.needsValue = "{option} needs a value: {name}";
    wording.refusal = "{option} {value}: expected {name}";
    Ombrel::Tools::ReadOptions(arguments, LiveTable(options), wording);
    if (options.buildCommand.empty() != options.sourcesFolder.empty())
        throw Ombrel::Exception("--build and --sources go together");
    return options;
}

namespace {

// The list of commands in lines of at most 78 characters.
std::string WrappedCommands() {
    std::string list = ControlCommandList(), text, line;
    for (std::size_t at = 0; at < list.size();) {
        std::size_t next = list.find(", ", at);
        std::string item =
            list.substr(at, next == std::string::npos ? std::string::npos : next + 1 - at);
        if (!line.empty() && line.size() + 1 + item.size() > 78) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + item;
        at = next == std::string::npos ? list.size() : next + 2;
    }
    return text + line;
}

}  // namespace

std::string LiveUsage() {
    LiveOptions unused;
    std::vector<Option> table = LiveTable(unused);
    return "usage: ombrel-live " + Ombrel::Tools::OptionSummary(table) + " [--version]\n" +
           Ombrel::Tools::OptionLines(table, 18) +
           "Keys: Space pause/play, Left/Right 1 s (with Shift 10 s), Home the start,\n"
           "comma and period a frame back or forward, M a marker here, [ and ] the loop's\n"
           "start and end, Backspace no loop, R reload, T the\n"
           "timeline page, Escape end.\n"
           "Commands, one a line on standard input or the control socket:\n" +
           WrappedCommands() + ".\n";
}

}  // namespace Ombrel::Live
