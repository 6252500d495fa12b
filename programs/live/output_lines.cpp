#include "programs/live/output_lines.h"

#include <cstring>

namespace Ombrel::Live {

void ReadOutputLines(std::FILE* stream, const char* trailing,
                     const std::function<void(const std::string& line)>& line) {
    std::string text;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stream) != nullptr) {
        text += buffer;
        if (text.empty() || text.back() != '\n') continue;
        text.pop_back();
        while (!text.empty() && std::strchr(trailing, text.back()) != nullptr) text.pop_back();
        line(text);
        text.clear();
    }
    if (!text.empty()) line(text);
}

}  // namespace Ombrel::Live
