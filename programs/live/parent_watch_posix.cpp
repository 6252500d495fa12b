#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "programs/live/parent_watch.h"

namespace Ombrel::Live {

namespace {

pid_t parent = 0;

}  // namespace

void WatchParent() {
    parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // A parent that ended before the line above sent nothing: this process
    // has been handed to another already.
    if (getppid() != parent) raise(SIGTERM);
}

bool ParentGone() {
    return parent != 0 && getppid() != parent;
}

}  // namespace Ombrel::Live
