#pragma once

namespace Ombrel::Live {

// Whether the process that started this one is still there: a session whose
// supervisor has gone, or a supervisor whose caller (the pack's -live target,
// a terminal) has gone, ends instead of running on with no one to show it to
// (parent_watch_posix.cpp, parent_watch_win32.cpp).

// Takes note of the parent, once, at the start. On Linux the process is also
// sent SIGTERM (an interruption, interruption.h) the moment its parent ends.
void WatchParent();

// True once the parent noted by WatchParent has ended.
bool ParentGone();

}  // namespace Ombrel::Live
