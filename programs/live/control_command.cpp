#include "programs/live/control_command.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "foundation/exception.h"
#include "programs/live/beat_grid.h"
#include "programs/live/markers.h"

namespace Ombrel::Live {

namespace {

// The one table of the commands: their words, the arguments each takes (one
// letter each, below), how they are written in the list of commands, and what
// the command does. A command comes before any that its words begin, such as
// "loop off" before "loop".
//
//   t  a time in seconds (0 or more)    f  a speed: 1, 0.5 or 0.25
//   n  a whole number of frames         b  beats a minute (20 to 400)
//   c  beats a bar (1 to 32)            m  a marker's name
struct CommandForm {
    const char* words;
    const char* arguments;
    const char* usage;
    ControlCommand::Kind kind;
};
const CommandForm Forms[] = {
    {"play", "", "play", ControlCommand::Play},
    {"pause", "", "pause", ControlCommand::Pause},
    {"seek", "t", "seek S", ControlCommand::Seek},
    {"loop off", "", "loop off", ControlCommand::LoopOff},
    {"loop", "tt", "loop A B", ControlCommand::Loop},
    {"speed", "f", "speed F", ControlCommand::Speed},
    {"step", "n", "step N", ControlCommand::Step},
    {"tempo off", "", "tempo off", ControlCommand::TempoOff},
    {"tempo", "btc", "tempo BPM OFFSET BEATS", ControlCommand::Tempo},
    {"snap off", "", "snap off", ControlCommand::SnapOff},
    {"snap beats", "", "snap beats", ControlCommand::SnapBeats},
    {"snap frames", "", "snap frames", ControlCommand::SnapFrames},
    {"marker add", "tm", "marker add S NAME", ControlCommand::MarkerAdd},
    {"marker rename", "mm", "marker rename NAME NEWNAME", ControlCommand::MarkerRename},
    {"marker move", "mt", "marker move NAME S", ControlCommand::MarkerMove},
    {"marker delete", "m", "marker delete NAME", ControlCommand::MarkerDelete},
    {"marker jump", "m", "marker jump NAME", ControlCommand::MarkerJump},
    {"end stop", "", "end stop", ControlCommand::EndStop},
    {"end loop", "", "end loop", ControlCommand::EndLoop},
    {"reload", "", "reload", ControlCommand::Reload},
    {"status", "", "status", ControlCommand::Status},
    {"state", "", "state", ControlCommand::State},
    {"quit", "", "quit", ControlCommand::Quit},
};

// Words a command may begin with, followed by more words of its own.
const char* const Prefixes[] = {"snap", "marker", "end"};

// A number that is the whole word and finite.
bool CommandNumber(const std::string& word, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && errno == 0 && std::isfinite(value);
}

// An argument of the kind `letter` into `command`; throws naming the command.
void ReadArgument(char letter, const std::string& word, const char* name, ControlCommand& command,
                  int& numbers, int& names) {
    const double LatestTime = 1e7;
    double value = 0.0;
    bool number = CommandNumber(word, value);
    auto refuse = [&](const char* what) {
        throw Ombrel::Exception("%s: \"%.80s\" is not %s", name, word.c_str(), what);
    };
    switch (letter) {
        case 't':
            if (!number || value < 0.0 || value > LatestTime)
                refuse("a time in seconds (0 or more)");
            break;
        case 'f':
            if (!number || (value != 1.0 && value != 0.5 && value != 0.25))
                refuse("a speed (1, 0.5 or 0.25)");
            break;
        case 'n':
            if (!number || value != std::floor(value) || std::fabs(value) > 1e6)
                refuse("a whole number of frames");
            command.whole = static_cast<int>(value);
            return;
        case 'b':
            if (!number || value < SlowestBpm || value > FastestBpm)
                refuse("a tempo in beats a minute (20 to 400)");
            break;
        case 'c':
            if (!number || value != std::floor(value) || value < 1.0 || value > MostBeatsPerBar)
                refuse("a number of beats a bar (1 to 32)");
            command.whole = static_cast<int>(value);
            return;
        case 'm':
            if (!Markers::ValidName(word))
                refuse("a marker's name (1 to 64 letters, digits, '-', '_' or '.')");
            (names++ == 0 ? command.name : command.newName) = word;
            return;
    }
    (numbers++ == 0 ? command.first : command.second) = value;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool BeginsWith(const std::vector<std::string>& words, const std::vector<std::string>& start) {
    if (words.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (words[i] != start[i]) return false;
    }
    return true;
}

}  // namespace

const char* ControlCommandList() {
    static const std::string list = [] {
        std::string all;
        for (const CommandForm& form : Forms)
            all += (all.empty() ? "" : ", ") + std::string(form.usage);
        return all;
    }();
    return list.c_str();
}

ControlCommand ParseControlCommand(const std::string& line) {
    std::vector<std::string> words = Words(line);
    if (words.empty()) throw Ombrel::Exception("empty command (%s)", ControlCommandList());
    for (const CommandForm& form : Forms) {
        std::vector<std::string> formWords = Words(form.words);
        if (!BeginsWith(words, formWords)) continue;
        bool allTimes = std::strspn(form.arguments, "t") == std::strlen(form.arguments);
        int wanted = static_cast<int>(std::strlen(form.arguments));
        int given = static_cast<int>(words.size() - formWords.size());
        if (given != wanted) {
            throw Ombrel::Exception("%s takes %d %s%s, not %d (%s)", form.words, wanted,
                                    allTimes ? "time" : "argument", wanted == 1 ? "" : "s", given,
                                    form.usage);
        }
        ControlCommand command;
        command.kind = form.kind;
        int numbers = 0, names = 0;
        for (int i = 0; i < wanted; ++i)
            ReadArgument(form.arguments[i], words[formWords.size() + i], form.words, command,
                         numbers, names);
        if (command.kind == ControlCommand::Loop && !(command.first < command.second)) {
            throw Ombrel::Exception("loop: the end (%g) must come after the start (%g)",
                                    command.second, command.first);
        }
        return command;
    }
    for (const char* prefix : Prefixes) {
        if (words[0] != prefix) continue;
        std::string forms;
        for (const CommandForm& form : Forms) {
            if (Words(form.words)[0] == prefix)
                forms += (forms.empty() ? "" : ", ") + std::string(form.usage);
        }
        throw Ombrel::Exception("%.80s: expected %s", line.c_str(), forms.c_str());
    }
    throw Ombrel::Exception("unknown command \"%.80s\" (%s)", words[0].c_str(),
                            ControlCommandList());
}

}  // namespace Ombrel::Live
