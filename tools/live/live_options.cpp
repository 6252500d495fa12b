#include "tools/live/live_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "foundation/exception.h"

namespace {

const int SmallestSide = 16;
const int LargestSide = 8192;
const double Latest = 1e7;

bool ReadSeconds(const std::string& text, double* seconds) {
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0.0 ||
        value > Latest) {
        return false;
    }
    *seconds = value;
    return true;
}

bool ReadSide(const std::string& text, int* side) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < SmallestSide || value > LargestSide)
        return false;
    *side = static_cast<int>(value);
    return true;
}

bool ReadSize(const std::string& text, LiveOptions& options) {
    std::size_t x = text.find_first_of("xX");
    return x != std::string::npos && ReadSide(text.substr(0, x), &options.width) &&
           ReadSide(text.substr(x + 1), &options.height);
}

bool ReadLoop(const std::string& text, LiveOptions& options) {
    std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos || !ReadSeconds(text.substr(0, dash), &options.loopStart) ||
        !ReadSeconds(text.substr(dash + 1), &options.loopEnd) ||
        !(options.loopStart < options.loopEnd)) {
        return false;
    }
    options.looping = true;
    return true;
}

// A text option, which may not be empty.
template <std::string LiveOptions::*field>
bool ReadText(const std::string& value, LiveOptions& options) {
    options.*field = value;
    return !value.empty();
}

// A switch, which takes no value.
template <bool LiveOptions::*field>
bool SetSwitch(const std::string&, LiveOptions& options) {
    options.*field = true;
    return true;
}

bool ReadStart(const std::string& text, LiveOptions& options) {
    return ReadSeconds(text, &options.start);
}

// The one table of the options: the usage text is made from it.
struct Option {
    const char* name;
    const char* value;  // null: a switch
    const char* help;
    bool (*read)(const std::string& value, LiveOptions& options);
    bool internal;  // given by the supervisor only, not shown
};

const Option Options[] = {
    {"--demo", "FOLDER", "the demo's folder: its packs and Data/audio.ogg (default: here)",
     ReadText<&LiveOptions::demoFolder>, false},
    {"--size", "WxH", "the window's size (default 640x480)", ReadSize, false},
    {"--english", nullptr, "the setup dialog's English (default Spanish)",
     SetSwitch<&LiveOptions::english>, false},
    {"--start", "S", "the time to start at, in seconds (default 0)", ReadStart, false},
    {"--loop", "A-B", "play from A to B seconds over and over", ReadLoop, false},
    {"--paused", nullptr, "start with the clock standing still", SetSwitch<&LiveOptions::paused>,
     false},
    {"--build", "\"CMD\"", "run CMD on a change under the --sources folder",
     ReadText<&LiveOptions::buildCommand>, false},
    {"--sources", "DIR", "the folder whose changes run the --build command",
     ReadText<&LiveOptions::sourcesFolder>, false},
    {"--help", nullptr, "this text", SetSwitch<&LiveOptions::help>, false},
    {"--channel", "TOKEN", "", ReadText<&LiveOptions::channel>, true},
    {"--resume", "STATE", "", ReadText<&LiveOptions::resume>, true},
};

}  // namespace

LiveOptions ParseLiveOptions(const std::vector<std::string>& arguments) {
    LiveOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Option* found = nullptr;
        for (const Option& option : Options) {
            if (arguments[i] == option.name) found = &option;
        }
        if (found == nullptr)
            throw Ombrel::Exception("unknown option \"%s\"", arguments[i].c_str());
        std::string value;
        if (found->value != nullptr) {
            if (i + 1 >= arguments.size())
                throw Ombrel::Exception("%s needs a value: %s", found->name, found->value);
            value = arguments[++i];
        }
        if (!found->read(value, options)) {
            throw Ombrel::Exception("%s %s: expected %s", found->name, value.c_str(),
                                    found->value ? found->value : "no value");
        }
    }
    if (options.buildCommand.empty() != options.sourcesFolder.empty())
        throw Ombrel::Exception("--build and --sources go together");
    return options;
}

std::string LiveUsage() {
    std::string usage = "usage: ombrel-live";
    std::string lines;
    for (const Option& option : Options) {
        if (option.internal) continue;
        std::string form = option.name;
        if (option.value) form += std::string(" ") + option.value;
        usage += " [" + form + "]";
        lines += "  " + form + std::string(form.size() < 16 ? 16 - form.size() : 1, ' ') +
                 option.help + "\n";
    }
    return usage + " [--version]\n" + lines +
           "Keys: Space pause/play, Left/Right 1 s (with Shift 10 s), Home the start,\n"
           "[ and ] the loop's start and end, Backspace no loop, R reload, Escape end.\n"
           "Commands, one a line on standard input or the control socket: play, pause,\n"
           "seek S, loop A B, loop off, reload, status, quit.\n";
}
