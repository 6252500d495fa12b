#include "programs/support/exit_deadline.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "programs/support/quick_end.h"

void EndWithin(double seconds, int status, const char* program) {
    // A detached thread: when the program ends in time, it ends with it.
    std::thread([seconds, status, program] {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        std::fprintf(stderr, "%s: its work was done, but ending took more than %g s: ended now\n",
                     program, seconds);
        std::fflush(stderr);
        QuickEnd(status);
    }).detach();
}
