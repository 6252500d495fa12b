#include "programs/live/exclusive_address.h"

bool KeepAddressExclusive(std::uintptr_t) {
    return true;
}
