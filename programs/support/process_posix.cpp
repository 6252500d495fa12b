#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "programs/support/process.h"

namespace Ombrel::Tools {

int CurrentProcessId() {
    return static_cast<int>(getpid());
}

bool ProcessIsRunning(int pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

std::string MachineName() {
    char host[256] = {0};
    if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    for (char* c = host; *c != '\0'; ++c) {
        if (*c == '/') *c = '_';
    }
    return host[0] ? host : "host";
}

}  // namespace Ombrel::Tools
