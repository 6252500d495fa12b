// Builds that cannot take over the process's allocator: the Windows build, and
// builds with a sanitizer, whose own allocator must stay in place.
#include "tools/validate/allocation_counter.h"

bool AllocationCounter::Available(std::string& reason) {
    reason = "this build cannot count allocations (the Windows and sanitizer builds do not)";
    return false;
}

void AllocationCounter::SetOwnModule(const void*) {}
void AllocationCounter::Begin() {}
void AllocationCounter::End() {}

long AllocationCounter::OwnCalls() {
    return 0;
}

long AllocationCounter::OtherCalls() {
    return 0;
}
