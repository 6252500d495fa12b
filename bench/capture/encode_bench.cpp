// The capture's encoding alone: frames the capture drew, read from a file of
// raw BGRA frames (bottom row first, as OpenGL reads them back), encoded by
// the capture's own writer with the sound of each frame, as fast as it goes.
// Prints the frames per second as a benchmark result.
//
//   capture_encode_bench FRAMES.bgra WIDTH HEIGHT COUNT OUT.mp4 [CRF PRESET]
//
// The file's frames are used in turn, from the first again after the last,
// until COUNT frames are encoded.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "programs/capture/encoding_queue.h"
#include "programs/capture/ffmpeg_writer.h"
#include "programs/capture/frame_clock.h"

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: capture_encode_bench FRAMES.bgra WIDTH HEIGHT COUNT OUT.mp4 "
                     "[CRF PRESET]\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const long count = std::atol(argv[4]);
    const std::size_t frameBytes = 4 * static_cast<std::size_t>(width) * height;
    std::ifstream file(argv[1], std::ios::binary);
    std::vector<std::uint8_t> frames((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    const std::size_t available = frameBytes > 0 ? frames.size() / frameBytes : 0;
    if (available == 0 || count < 1) {
        std::fprintf(stderr, "capture_encode_bench: %s holds no %dx%d frame\n", argv[1], width,
                     height);
        return 1;
    }
    try {
        FrameClock clock(60, 1);
        MediaFormat format = {width, height, 60, 1, argc > 6 ? std::atoi(argv[6]) : 18,
                              argc > 7 ? argv[7] : "ultrafast"};
        FfmpegWriter writer(argv[5], "mp4", format);
        std::vector<float> sound(2 * static_cast<std::size_t>(clock.MostSamplesPerFrame()));
        auto start = std::chrono::steady_clock::now();
        {
            // Through the capture's queue, so the encoding runs on its own
            // thread as in a capture.
            EncodingQueue queue(writer, frameBytes, clock.MostSamplesPerFrame());
            for (long n = 0; n < count; ++n) {
                queue.Push(frames.data() + (n % available) * frameBytes, sound.data(),
                           clock.Samples(n));
            }
            queue.Flush();
        }
        writer.Finish();
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("{\"benchmarks\": [{\"name\": \"encode\", \"fps\": %.2f}]}\n",
                    static_cast<double>(count) / seconds);
    } catch (const Ombrel::Exception& e) {
        std::fprintf(stderr, "capture_encode_bench: %s\n", e.message);
        return 1;
    }
    return 0;
}
