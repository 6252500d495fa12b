#include "programs/live/control_command.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "foundation/exception.h"

namespace {

// The one table of the commands: their words, how many times each takes, and
// what it does. "loop off" comes before "loop", which it would otherwise be.
struct CommandForm {
    const char* words;
    int times;
    ControlCommand::Kind kind;
};
const CommandForm Forms[] = {
    {"play", 0, ControlCommand::Play},     {"pause", 0, ControlCommand::Pause},
    {"seek", 1, ControlCommand::Seek},     {"loop off", 0, ControlCommand::LoopOff},
    {"loop", 2, ControlCommand::Loop},     {"reload", 0, ControlCommand::Reload},
    {"status", 0, ControlCommand::Status}, {"quit", 0, ControlCommand::Quit},
};

// A time in seconds: a finite number, not negative, and not absurdly far.
double ReadTime(const std::string& word, const std::string& command) {
    const double Latest = 1e7;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0.0 ||
        value > Latest) {
        throw Ombrel::Exception("%s: \"%s\" is not a time in seconds (0 or more)", command.c_str(),
                                word.c_str());
    }
    return value;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

const char* ControlCommandList() {
    return "play, pause, seek S, loop A B, loop off, reload, status, quit";
}

ControlCommand ParseControlCommand(const std::string& line) {
    std::vector<std::string> words = Words(line);
    if (words.empty()) throw Ombrel::Exception("empty command (%s)", ControlCommandList());
    for (const CommandForm& form : Forms) {
        std::vector<std::string> formWords = Words(form.words);
        if (words.size() < formWords.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < formWords.size(); ++i) same = same && words[i] == formWords[i];
        if (!same) continue;
        std::size_t given = words.size() - formWords.size();
        if (given != static_cast<std::size_t>(form.times)) {
            throw Ombrel::Exception("%s takes %d time%s, not %d (%s)", form.words, form.times,
                                    form.times == 1 ? "" : "s", static_cast<int>(given),
                                    ControlCommandList());
        }
        ControlCommand command;
        command.kind = form.kind;
        if (form.times > 0) command.first = ReadTime(words[formWords.size()], form.words);
        if (form.times > 1) command.second = ReadTime(words[formWords.size() + 1], form.words);
        if (command.kind == ControlCommand::Loop && !(command.first < command.second)) {
            throw Ombrel::Exception("loop: the end (%g) must come after the start (%g)",
                                    command.second, command.first);
        }
        return command;
    }
    throw Ombrel::Exception("unknown command \"%s\" (%s)", words[0].c_str(), ControlCommandList());
}
