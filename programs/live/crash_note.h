#pragma once

#include <string>

namespace Ombrel::Live {

// Where in the code a session's process crashed, for the supervisor to tell
// with the pack's name and version: "in DrawStars (Vantrope.3.so+0x1a2b)",
// or "at Vantrope.3.so+0x1a2b" where the module names no function there (a
// pack's own functions are hidden; `addr2line -e` with the copy's build finds
// them). A fault outside the packs (in the C library, called by a pack) is
// told at the innermost pack function on the stack where there is one.

// The note's file, in the session's private folder.
std::string CrashNotePath(const std::string& privateFolder);

// From now on a fault of this process (a bad address, a bad instruction, a
// division by zero, an abort) writes the note to `path` before the process
// ends as it would have (crash_note_posix.cpp, crash_note_win32.cpp).
void WriteCrashNoteOnFault(const std::string& path);

// The note a process that has ended left, read and removed; empty when none.
std::string TakeCrashNote(const std::string& path);

}  // namespace Ombrel::Live
