#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "programs/live/crash_note.h"

namespace Ombrel::Live {

// What the handler does is safe in a handler (open, write, close), except
// dladdr and backtrace, which read the loader's tables; both are made to
// load what they need before any fault.
namespace {

const int Faults[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
const int MostFrames = 64;

char notePath[4096];
// The packs' copies are in the folder that holds the note.
char packFolder[4096];
std::size_t packFolderSize = 0;
// A fault from an overflowing stack needs another to run on.
alignas(16) char faultStack[64 * 1024];

void Put(int file, const char* text) {
    ssize_t ignored = write(file, text, std::strlen(text));
    (void)ignored;
}

void PutHex(int file, std::uintptr_t value) {
    char text[2 + 2 * sizeof value + 1];
    char* at = text + sizeof text - 1;
    *at = '\0';
    do {
        *--at = "0123456789abcdef"[value & 15];
        value >>= 4;
    } while (value != 0);
    *--at = 'x';
    *--at = '0';
    Put(file, at);
}

void* ProgramCounter(void* context) {
    ucontext_t* state = static_cast<ucontext_t*>(context);
#if defined(__x86_64__)
    return reinterpret_cast<void*>(state->uc_mcontext.gregs[REG_RIP]);
#elif defined(__i386__)
    return reinterpret_cast<void*>(state->uc_mcontext.gregs[REG_EIP]);
#elif defined(__aarch64__)
    return reinterpret_cast<void*>(state->uc_mcontext.pc);
#else
    (void)state;
    return nullptr;
#endif
}

bool InPack(const Dl_info& info) {
    return info.dli_fname != nullptr &&
           std::strncmp(info.dli_fname, packFolder, packFolderSize) == 0;
}

void Describe(int file, void* address, const Dl_info& info) {
    const char* slash = std::strrchr(info.dli_fname, '/');
    const char* module = slash != nullptr ? slash + 1 : info.dli_fname;
    std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(address) -
                            reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    if (info.dli_sname != nullptr) {
        Put(file, "in ");
        Put(file, info.dli_sname);
        Put(file, " (");
    } else {
        Put(file, "at ");
    }
    Put(file, module);
    Put(file, "+");
    PutHex(file, offset);
    if (info.dli_sname != nullptr) Put(file, ")");
}

// The faulting instruction where it is a pack's; else the innermost pack
// frame of the stack (an abort, a bad pointer handed to the C library), with
// where the fault itself was.
void WriteNote(int file, void* counter) {
    Dl_info at;
    bool known = counter != nullptr && dladdr(counter, &at) != 0 && at.dli_fname != nullptr;
    if (!known || !InPack(at)) {
        void* frames[MostFrames];
        int count = backtrace(frames, MostFrames);
        for (int i = 0; i < count; ++i) {
            Dl_info frame;
            // A return address: the call is the instruction before it.
            void* call = static_cast<char*>(frames[i]) - 1;
            if (dladdr(call, &frame) == 0 || !InPack(frame)) continue;
            Describe(file, call, frame);
            if (known) {
                Put(file, ", faulting ");
                Describe(file, counter, at);
            }
            return;
        }
    }
    if (known) Describe(file, counter, at);
}

extern "C" void OnFault(int signal, siginfo_t*, void* context) {
    int file = open(notePath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file >= 0) {
        WriteNote(file, ProgramCounter(context));
        Put(file, "\n");
        close(file);
    }
    // The handler was reset on entry: the process ends as it would have,
    // by the same signal, which the supervisor tells.
    raise(signal);
}

}  // namespace

void WriteCrashNoteOnFault(const std::string& path) {
    std::string folder = path.substr(0, path.rfind('/') + 1);
    if (path.size() >= sizeof notePath || folder.size() >= sizeof packFolder) return;
    std::memcpy(notePath, path.c_str(), path.size() + 1);
    std::memcpy(packFolder, folder.c_str(), folder.size() + 1);
    packFolderSize = folder.size();
    void* frames[1];
    backtrace(frames, 1);
    Dl_info info;
    dladdr(reinterpret_cast<void*>(&OnFault), &info);

    stack_t alternate = {};
    alternate.ss_sp = faultStack;
    alternate.ss_size = sizeof faultStack;
    sigaltstack(&alternate, nullptr);
    struct sigaction action = {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int fault : Faults) sigaction(fault, &action, nullptr);
}

}  // namespace Ombrel::Live
