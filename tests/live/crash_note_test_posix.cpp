// The note a crashing session leaves for its supervisor: written from the
// signal handler of a process that dies by the signal all the same.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "programs/live/crash_note.h"

using namespace Ombrel::Live;

namespace fs = std::filesystem;

namespace {

void FaultWithNote(const std::string& path, int signal) {
    WriteCrashNoteOnFault(path);
    if (signal == SIGABRT) std::abort();
    *static_cast<volatile int*>(nullptr) = 1;
}

TEST(CrashNote, AFaultLeavesWhereItWasAndTheProcessStillDiesByItsSignal) {
    fs::path folder = fs::temp_directory_path() / ("crash-note-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::string path = CrashNotePath(folder.string());
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps SIGSEGV for itself and reports the fault its own
    // way; the abort is still the program's.
    const int signals[] = {SIGABRT};
#else
    const int signals[] = {SIGSEGV, SIGABRT};
#endif
    for (int signal : signals) {
        EXPECT_EXIT(FaultWithNote(path, signal), ::testing::KilledBySignal(signal), "");
        std::string note = TakeCrashNote(path);
        // Outside a pack the fault's own module is named, with the offset.
        EXPECT_TRUE(note.rfind("at ", 0) == 0 || note.rfind("in ", 0) == 0) << note;
        EXPECT_NE(note.find("+0x"), std::string::npos) << note;
        EXPECT_FALSE(fs::exists(path)) << "the note is taken once";
    }
    std::ofstream(path) << "at Vantrope.3.so+0x1a\x1b[2J\nsecond line";
    EXPECT_EQ(TakeCrashNote(path), "at Vantrope.3.so+0x1a?[2J") << "one line, no control bytes";
    EXPECT_EQ(TakeCrashNote(path), "");
    fs::remove_all(folder);
}

}  // namespace
