// A Y4M segment of a split capture as a join reads it, from a file with the
// input's bytes: it is refused with Ombrel::Exception naming the file, or
// read frame by frame to its end; never a crash, and never a frame buffer
// larger than the tag's size allows.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "programs/capture/y4m_segment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string file = "/tmp/y4m-segment-fuzz-" + std::to_string(getpid()) + ".y4m";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    try {
        Y4mSegment segment(file);
        std::size_t bytes = segment.FrameBytes();
        if (bytes == 0 || bytes > std::size_t(8192) * 8192 * 3 / 2) abort();
        std::vector<std::uint8_t> planes(bytes);
        while (segment.ReadFrame(planes.data())) {
        }
    } catch (const Ombrel::Exception& e) {
        if (std::string(e.message).find(file) == std::string::npos) abort();
    }
    return 0;
}
