#include "audio/music_file.h"

#include <fstream>
#include <iterator>
#include <vector>

std::unique_ptr<MusicStream> OpenMusicFile(const std::string& path, int outputRate,
                                           std::uint32_t offset, std::uint32_t length) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    file.seekg(offset);
    if (!file) return nullptr;
    std::vector<std::uint8_t> data;
    if (length == 0) {
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } else {
        data.resize(length);
        file.read(reinterpret_cast<char*>(data.data()), length);
        data.resize(static_cast<std::size_t>(file.gcount()));
    }
    return MusicStream::Create(std::move(data), outputRate);
}

std::string MusicFileProblem(const std::string& path) {
    return path + " is missing, empty, cut short or not Ogg Vorbis";
}
