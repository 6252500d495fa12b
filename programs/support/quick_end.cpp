#include "programs/support/quick_end.h"

#include <atomic>
#include <cstdlib>

namespace {

const int MostCleanups = 8;
void (*cleanups[MostCleanups])();
std::atomic<int> registered{0};

}  // namespace

void AtQuickEnd(void (*cleanup)()) {
    int slot = registered.fetch_add(1);
    if (slot < MostCleanups) {
        cleanups[slot] = cleanup;
    } else {
        registered.store(MostCleanups);
        std::abort();  // a program of ours registers a fixed few
    }
}

void QuickEnd(int status) {
    for (int slot = registered.load(); slot-- > 0;) cleanups[slot]();
    std::_Exit(status);
}
