// Builds that cannot take over the process's allocator: the Windows build, and
// builds with a sanitizer, whose own allocator must stay in place.
#include "programs/validate/pack_allocations.h"

bool Ombrel::Tools::PackAllocations::Available(std::string& reason) {
    reason = "this build cannot count allocations (the Windows and sanitizer builds do not)";
    return false;
}

void Ombrel::Tools::PackAllocations::SetOwnModule(const void*) {}
void Ombrel::Tools::PackAllocations::Begin() {}
void Ombrel::Tools::PackAllocations::End() {}

long Ombrel::Tools::PackAllocations::OwnCalls() {
    return 0;
}

long Ombrel::Tools::PackAllocations::OtherCalls() {
    return 0;
}
