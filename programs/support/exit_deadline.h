#pragma once

// Once a program's work is done, its exit may not wait without bound on a
// library's cleanup (a window system or driver thread that never returns).
// EndWithin gives the rest of the program `seconds` to end by itself; after
// that it says so on standard error and ends the program at once with
// `status`, by QuickEnd, so that what was registered with AtQuickEnd
// (the removal of unfinished files) still runs. Call it only when nothing of
// the program's output is left to write.
void EndWithin(double seconds, int status, const char* program);
