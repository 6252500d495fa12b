// Builds that cannot take over the process's allocator: the Windows build, and
// builds with a sanitizer, whose own allocator must stay in place.
#include "programs/validate/pack_allocations.h"

bool Ombrel::Validate::PackAllocations::Available(std::string& reason) {
    reason = "this build cannot count allocations (the Windows and sanitizer builds do not)";
    return false;
}

void Ombrel::Validate::PackAllocations::SetOwnModule(const void*) {}
void Ombrel::Validate::PackAllocations::Begin() {}
void Ombrel::Validate::PackAllocations::End() {}

long Ombrel::Validate::PackAllocations::OwnCalls() {
    return 0;
}

long Ombrel::Validate::PackAllocations::OtherCalls() {
    return 0;
}
