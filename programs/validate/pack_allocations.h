#pragma once

#include <string>

// Counts the allocations made on the calling thread between Begin and End,
// split by who asked: the code of one module (the pack under check, its copy
// of the foundation library included) or the libraries it calls (the window
// system, the OpenGL driver). pack_allocations_posix.cpp counts by taking
// the process's malloc; pack_allocations_unavailable.cpp stands for builds
// that cannot.
namespace Ombrel::Tools::PackAllocations {

// True when this build counts; otherwise `reason` says why it cannot.
bool Available(std::string& reason);
// The module whose own allocations count: the one that holds `address`.
void SetOwnModule(const void* address);
void Begin();
void End();
// Since the last Begin.
long OwnCalls();
long OtherCalls();

}  // namespace Ombrel::Tools::PackAllocations
