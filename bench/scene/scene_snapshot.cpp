// Draws one frame of the scene and writes it as a binary PPM picture:
//   scene_snapshot <file.ppm> [seconds] [width] [height] [english 1|0]
// Needs an X display.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "tests/support/scene_harness.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s file.ppm [seconds] [width] [height] [english]\n", argv[0]);
        return 2;
    }
    float seconds = argc > 2 ? static_cast<float>(std::atof(argv[2])) : 12.0f;
    int width = argc > 3 ? std::atoi(argv[3]) : 640;
    int height = argc > 4 ? std::atoi(argv[4]) : 480;
    bool english = argc > 5 ? std::atoi(argv[5]) != 0 : true;
    try {
        SceneHarness harness(width, height);
        harness.Load(" SOLVARA RealTime", 5);
        harness.Draw(seconds, 32, english);
        std::vector<unsigned char> pixels = harness.ReadBackBuffer();
        std::FILE* file = std::fopen(argv[1], "wb");
        if (file == nullptr) {
            std::perror(argv[1]);
            return 1;
        }
        std::fprintf(file, "P6\n%d %d\n255\n", width, height);
        // OpenGL's rows run bottom to top; a picture's run top to bottom.
        for (int row = height - 1; row >= 0; --row) {
            std::fwrite(&pixels[static_cast<size_t>(row) * width * 3], 1,
                        static_cast<size_t>(width) * 3, file);
        }
        std::fclose(file);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scene_snapshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
