#include <GL/gl.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tests/opengl/desktop.h"

// wine starts native programs of its machine with "start /unix", and does not
// wait for them. The command goes through a script file, and its output
// through a file that appears, complete, only once the command has ended.
// Both live in /tmp, which wine shows as Z:\tmp.
std::string RunDesktopCommand(const std::string& command) {
    char base[64];
    std::snprintf(base, sizeof base, "/tmp/ombrel-desktop-%lu", GetCurrentProcessId());
    std::string script = std::string(base) + ".sh", output = std::string(base) + ".out";
    std::string windowsScript = "Z:" + script, windowsOutput = "Z:" + output;

    std::remove(windowsOutput.c_str());
    FILE* file = std::fopen(windowsScript.c_str(), "wb");
    if (file == nullptr) return "";
    std::fprintf(file, "(%s) < /dev/null > %s.part 2> /dev/null\nmv %s.part %s\n", command.c_str(),
                 output.c_str(), output.c_str(), output.c_str());
    std::fclose(file);
    std::system(("start /unix /bin/sh " + script).c_str());

    // Bounded: a command that never ends gives an empty answer after 30 s.
    file = nullptr;
    for (int attempt = 0; attempt < 600 && file == nullptr; ++attempt) {
        file = std::fopen(windowsOutput.c_str(), "rb");
        if (file == nullptr) Sleep(50);
    }
    std::string printed;
    if (file != nullptr) {
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, file) != nullptr) printed += chunk;
        std::fclose(file);
    }
    std::remove(windowsScript.c_str());
    std::remove(windowsOutput.c_str());
    return printed;
}

void PostQuitRequest() {
    PostQuitMessage(0);
}

void PaintBackBuffer(float red, float green, float blue) {
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void ReadViewport(int viewport[4]) {
    glGetIntegerv(GL_VIEWPORT, viewport);
}
