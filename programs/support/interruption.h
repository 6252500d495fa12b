#pragma once

// Ctrl-C and SIGTERM for a program that finishes its output when asked to
// stop: the first one only sets the flag that Interrupted() reads, so the
// program can end its file playable; a second one ends the program at once
// with status 130, through QuickEnd (what was registered with AtQuickEnd
// runs), as users of command-line programs expect when they ask twice.
void CatchInterruptions();
bool Interrupted();
