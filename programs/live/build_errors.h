#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace Ombrel::Live {

// What of a failed build's output an author reads first. A build's output is
// mostly progress ("[ 33%] Building CXX object ...", "[2/5] Linking ...");
// the compiler's lines that say "error" come before the build tool's own
// ("make[2]: *** [...] Error 1"), so the first lines that speak of an error
// are the ones worth a title. Where none does (a script that failed quietly),
// the last lines are.

// Whether the line speaks of an error: "error" or "Error" as a word of its
// own, outside a build tool's progress line.
bool SpeaksOfError(const std::string& line);

// At most `most` lines: the first that speak of an error, else the last.
std::vector<std::string> BuildErrorLines(const std::vector<std::string>& output, std::size_t most);

// The one line for a title: the first of BuildErrorLines.
std::string BuildErrorLine(const std::vector<std::string>& output);

// The whole output, one text, for the status that shows it in full.
std::string BuildOutputText(const std::vector<std::string>& output);

}  // namespace Ombrel::Live
