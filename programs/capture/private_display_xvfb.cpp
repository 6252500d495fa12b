#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/exception.h"
#include "programs/capture/offscreen_display.h"
#include "programs/capture/private_display.h"

namespace {

const int StartTimeoutMs = 20000;

// In the child: only calls that are safe between fork and exec.
[[noreturn]] void RunServer(const char* displayPipe, const char* screen) {
    // The server goes when this program goes, however it ends, and not
    // before: a terminal's Ctrl-C reaches the program's process group, not
    // the server's, so the program can finish its file on the display.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    setpgid(0, 0);
    int quiet = open("/dev/null", O_RDWR);
    if (quiet >= 0) {
        dup2(quiet, 0);
        dup2(quiet, 1);
        dup2(quiet, 2);
    }
    // -noreset: a server that resets when its last client leaves turns away
    // whoever connects during the reset.
    execlp("Xvfb", "Xvfb", "-displayfd", displayPipe, "-screen", "0", screen, "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
}

// The display number the server writes once it takes connections; empty
// when it ends or stays silent.
std::string ReadDisplayNumber(int from) {
    std::string number;
    pollfd ready = {from, POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, StartTimeoutMs) == 1 && read(from, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return c == '\n' ? number : std::string();
}

// How the capture may draw without DISPLAY: through EGL, on Xvfb, or the
// first of them that can (OMBREL_CAPTURE_DRAW unset or empty).
struct DrawingWays {
    bool egl;
    bool xvfb;
};

DrawingWays AllowedWays() {
    const char* chosen = std::getenv("OMBREL_CAPTURE_DRAW");
    std::string way = chosen != nullptr ? chosen : "";
    if (way.empty()) return {true, true};
    if (way == "egl") return {true, false};
    if (way == "xvfb") return {false, true};
    throw Ombrel::Exception("OMBREL_CAPTURE_DRAW=%s: give egl or xvfb (or leave it unset)",
                            way.c_str());
}

}  // namespace

PrivateDisplay::PrivateDisplay(int width, int height, const GpuRequest& gpu) : server(0) {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        where = std::string("X display ") + display;
        if (gpu.required) {
            std::fprintf(stderr,
                         "ombrel-capture: warning: --gpu %d is for drawing without a display; "
                         "DISPLAY is set, so the frames are drawn on %s\n",
                         gpu.gpu, display);
        }
        return;
    }
    DrawingWays ways = AllowedWays();
    if (ways.egl) {
        where = UseOffscreenDisplay(gpu);
        if (!where.empty()) return;
        if (!ways.xvfb) {
            throw Ombrel::Exception(
                "No display: DISPLAY is not set and no EGL device can draw "
                "(OMBREL_CAPTURE_DRAW=egl)");
        }
    }

    int ends[2];
    if (pipe(ends) != 0) throw Ombrel::Exception("No display: DISPLAY is not set");
    std::string fd = std::to_string(ends[1]);
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        RunServer(fd.c_str(), screen.c_str());
    }
    close(ends[1]);
    std::string number = child > 0 ? ReadDisplayNumber(ends[0]) : std::string();
    close(ends[0]);
    if (number.empty()) {
        if (child > 0) {
            kill(child, SIGTERM);
            waitpid(child, nullptr, 0);
        }
        throw Ombrel::Exception("No display: DISPLAY is not set%s and Xvfb could not be started",
                                ways.egl ? ", no EGL device can draw" : "");
    }
    server = child;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    where = "Xvfb :" + number;
}

PrivateDisplay::~PrivateDisplay() {
    if (server == 0) return;
    kill(static_cast<pid_t>(server), SIGTERM);
    waitpid(static_cast<pid_t>(server), nullptr, 0);
}
