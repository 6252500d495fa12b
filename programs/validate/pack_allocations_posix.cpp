// Takes the process's malloc, calloc and realloc (operator new goes through
// malloc), so that every allocation of the process passes here, and forwards
// them to the C library's own. While counting, the call stack says who asked:
// the first frame outside the C and C++ runtimes and this program.
#include <execinfo.h>
#include <link.h>
#include <string.h>

#include <cstdint>

#include "programs/validate/pack_allocations.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);

namespace {

enum Owner { Runtime, Own, Other };

struct Range {
    uintptr_t start;
    uintptr_t end;
    Owner owner;
};

// Fixed storage: the ranges are read inside malloc, which must not allocate.
const int MaxRanges = 2048;
Range ranges[MaxRanges];
int rangeCount = 0;
uintptr_t ownAddress = 0;

// Only the thread that runs the plugin counts: drivers' worker threads
// allocate as they please.
thread_local bool counting = false;
thread_local bool inside = false;
long ownCalls = 0;
long otherCalls = 0;

// The program itself (no name) and the runtimes every module shares.
bool IsRuntime(const char* name) {
    static const char* const runtimes[] = {"libc.so",  "libstdc++",  "libgcc_s",  "libm.so",
                                           "ld-linux", "linux-vdso", "libpthread"};
    if (name == nullptr || name[0] == '\0') return true;
    for (const char* runtime : runtimes)
        if (strstr(name, runtime) != nullptr) return true;
    return false;
}

int AddModule(dl_phdr_info* info, size_t, void*) {
    int first = rangeCount;
    bool own = false;
    for (int i = 0; i < info->dlpi_phnum && rangeCount < MaxRanges; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        uintptr_t end = start + segment.p_memsz;
        own = own || (ownAddress >= start && ownAddress < end);
        ranges[rangeCount++] = {start, end, Runtime};
    }
    Owner owner = own ? Own : IsRuntime(info->dlpi_name) ? Runtime : Other;
    for (int i = first; i < rangeCount; ++i) ranges[i].owner = owner;
    return 0;
}

Owner OwnerOf(void* address) {
    uintptr_t at = reinterpret_cast<uintptr_t>(address);
    for (int i = 0; i < rangeCount; ++i)
        if (at >= ranges[i].start && at < ranges[i].end) return ranges[i].owner;
    // Code loaded since Begin, or made at run time.
    return Other;
}

void Count() {
    if (!counting || inside) return;
    inside = true;
    void* frames[32];
    int depth = backtrace(frames, 32);
    for (int i = 1; i < depth; ++i) {
        Owner owner = OwnerOf(frames[i]);
        if (owner == Runtime) continue;
        ++(owner == Own ? ownCalls : otherCalls);
        break;
    }
    inside = false;
}

}  // namespace

bool Ombrel::Tools::PackAllocations::Available(std::string&) {
    return true;
}

void Ombrel::Tools::PackAllocations::SetOwnModule(const void* address) {
    ownAddress = reinterpret_cast<uintptr_t>(address);
}

void Ombrel::Tools::PackAllocations::Begin() {
    // The first backtrace loads the unwinder, which allocates: not while
    // counting.
    void* warmUp[2];
    backtrace(warmUp, 2);
    rangeCount = 0;
    dl_iterate_phdr(AddModule, nullptr);
    ownCalls = 0;
    otherCalls = 0;
    counting = true;
}

void Ombrel::Tools::PackAllocations::End() {
    counting = false;
}

long Ombrel::Tools::PackAllocations::OwnCalls() {
    return ownCalls;
}

long Ombrel::Tools::PackAllocations::OtherCalls() {
    return otherCalls;
}

extern "C" void* malloc(size_t size) {
    Count();
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) {
    Count();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size) {
    Count();
    return __libc_realloc(block, size);
}
