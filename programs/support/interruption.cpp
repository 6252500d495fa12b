#include "programs/support/interruption.h"

#include <csignal>

#include "programs/support/quick_end.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int signal) {
    if (interrupted) QuickEnd(130);
    interrupted = 1;
    // Some platforms reset the handler after each signal.
    std::signal(signal, OnInterrupt);
}

}  // namespace

void CatchInterruptions() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

bool Interrupted() {
    return interrupted != 0;
}
