#pragma once

// Counts the allocations made on the counting thread while counting is on:
// C++ allocations (operator new) and C allocations (malloc, calloc, realloc),
// the latter including those of the window system and the OpenGL driver.
namespace AllocationCounter {
void Begin();
void End();
long NewCalls();
long MallocCalls();
}  // namespace AllocationCounter
