// Replaces the program's global operator new and interposes the C allocator,
// so that every allocation of the process, the pack's included, passes here.
#include "tests/support/allocation_counter.h"

#include <cstdlib>
#include <new>

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void __libc_free(void* block);

namespace {
// Only the thread that runs the frames counts: the OpenGL driver's own worker
// threads allocate as they please.
thread_local bool counting = false;
long newCalls = 0;
long mallocCalls = 0;
}  // namespace

void AllocationCounter::Begin() {
    newCalls = 0;
    mallocCalls = 0;
    counting = true;
}

void AllocationCounter::End() {
    counting = false;
}

long AllocationCounter::NewCalls() {
    return newCalls;
}

long AllocationCounter::MallocCalls() {
    return mallocCalls;
}

extern "C" void* malloc(size_t size) {
    if (counting) ++mallocCalls;
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) {
    if (counting) ++mallocCalls;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size) {
    if (counting) ++mallocCalls;
    return __libc_realloc(block, size);
}

extern "C" void free(void* block) {
    __libc_free(block);
}

void* operator new(size_t size) {
    if (counting) ++newCalls;
    void* block = __libc_malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

void* operator new[](size_t size) {
    return operator new(size);
}

void operator delete(void* block) noexcept {
    __libc_free(block);
}
void operator delete[](void* block) noexcept {
    __libc_free(block);
}
void operator delete(void* block, size_t) noexcept {
    __libc_free(block);
}
void operator delete[](void* block, size_t) noexcept {
    __libc_free(block);
}
