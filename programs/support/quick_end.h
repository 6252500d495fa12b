#pragma once

// Ending a program at once, without its destructors and atexit functions,
// while still running the few cleanups that must happen however it ends
// (removing files left unfinished). The C library's quick_exit does this, but
// not every C library a build uses has it.

// Registers `cleanup` to run at QuickEnd; the last registered runs first.
// Holds a handful; a cleanup must be safe to run in a signal handler.
void AtQuickEnd(void (*cleanup)());

// Runs the registered cleanups and ends the program with `status`.
[[noreturn]] void QuickEnd(int status);
