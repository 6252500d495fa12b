#include "programs/capture/output_formats.h"

#include <cctype>

std::string OutputExtension(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string extension = path.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::string OutputFiles(const std::string& path) {
    if (OutputExtension(path) != ".y4m") return path;
    return path + " and " + path.substr(0, path.size() - 4) + ".wav";
}
