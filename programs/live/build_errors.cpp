#include "programs/live/build_errors.h"

#include <cctype>

namespace Ombrel::Live {

namespace {

bool WordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// "[ 33%] ..." (make) and "[2/5] ..." (ninja): the file names they carry may
// hold the word too ("Building CXX object error_paths.cpp.o" does not, but a
// folder named "error" would).
bool ProgressLine(const std::string& line) {
    if (line.empty() || line[0] != '[') return false;
    std::size_t close = line.find(']');
    if (close == std::string::npos) return false;
    for (std::size_t i = 1; i < close; ++i) {
        char c = line[i];
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == ' ' || c == '%' || c == '/'))
            return false;
    }
    return close > 1;
}

}  // namespace

bool SpeaksOfError(const std::string& line) {
    if (ProgressLine(line)) return false;
    for (const char* word : {"error", "Error"}) {
        for (std::size_t at = line.find(word); at != std::string::npos;
             at = line.find(word, at + 1)) {
            std::size_t end = at + 5;
            bool before = at == 0 || !WordCharacter(line[at - 1]);
            bool after = end == line.size() || !WordCharacter(line[end]);
            if (before && after) return true;
        }
    }
    return false;
}

std::vector<std::string> BuildErrorLines(const std::vector<std::string>& output, std::size_t most) {
    std::vector<std::string> lines;
    for (const std::string& line : output) {
        if (lines.size() == most) break;
        if (SpeaksOfError(line)) lines.push_back(line);
    }
    if (!lines.empty()) return lines;
    std::size_t from = output.size() > most ? output.size() - most : 0;
    return std::vector<std::string>(output.begin() + from, output.end());
}

std::string BuildErrorLine(const std::vector<std::string>& output) {
    std::vector<std::string> first = BuildErrorLines(output, 1);
    return first.empty() ? std::string() : first[0];
}

std::string BuildOutputText(const std::vector<std::string>& output) {
    std::string text;
    for (const std::string& line : output) text += line + "\n";
    return text;
}

}  // namespace Ombrel::Live
