#include "foundation/exception.h"
#include "programs/capture/ffmpeg_writer.h"
#include "programs/capture/output_formats.h"
#include "programs/capture/y4m_wav_writer.h"

const char* OutputKinds() {
    return ".mp4 (H.264 and AAC), .mkv (the same in Matroska) or .y4m (with a .wav beside it)";
}

void CheckOutputKind(const std::string& path) {
    std::string extension = OutputExtension(path);
    if (extension != ".mp4" && extension != ".mkv" && extension != ".y4m") {
        throw Ombrel::Exception("Unknown kind of output: %s (write %s)", path.c_str(),
                                OutputKinds());
    }
}

std::unique_ptr<MediaWriter> OpenMediaWriter(const std::string& path, const MediaFormat& format) {
    CheckOutputKind(path);
    std::string extension = OutputExtension(path);
    if (extension == ".y4m") {
        return std::unique_ptr<MediaWriter>(
            new Y4mWavWriter(path.substr(0, path.size() - 4), format));
    }
    const char* container = extension == ".mp4" ? "mp4" : "matroska";
    return std::unique_ptr<MediaWriter>(new FfmpegWriter(path, container, format));
}
