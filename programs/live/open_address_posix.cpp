#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <thread>

#include "programs/live/open_address.h"

extern char** environ;

namespace Ombrel::Live {

bool OpenAddress(const std::string& address, std::string& error) {
    // Nothing of the opener or the browser it starts reads the supervisor's
    // standard input (the control channel's lines) or writes to its output
    // (their answers).
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open";
    char* arguments[] = {program.data(), const_cast<char*>(address.c_str()), nullptr};
    pid_t opener = 0;
    int failed = posix_spawnp(&opener, "xdg-open", &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        error = std::string("xdg-open: ") + std::strerror(failed);
        return false;
    }
    std::thread([opener] { waitpid(opener, nullptr, 0); }).detach();
    return true;
}

}  // namespace Ombrel::Live
