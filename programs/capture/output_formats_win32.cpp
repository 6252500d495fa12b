#include "foundation/exception.h"
#include "programs/capture/output_formats.h"
#include "programs/capture/y4m_wav_writer.h"

// No FFmpeg for this build: the picture and the music go to plain files that
// any encoder takes.
const char* OutputKinds() {
    return ".y4m (with the music as a .wav beside it)";
}

void CheckOutputKind(const std::string& path) {
    if (OutputExtension(path) != ".y4m") {
        throw Ombrel::Exception("Unknown kind of output: %s (this build writes %s)", path.c_str(),
                                OutputKinds());
    }
}

std::unique_ptr<MediaWriter> OpenMediaWriter(const std::string& path, const MediaFormat& format) {
    CheckOutputKind(path);
    return std::unique_ptr<MediaWriter>(new Y4mWavWriter(path.substr(0, path.size() - 4), format));
}
