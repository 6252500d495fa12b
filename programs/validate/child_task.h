#pragma once

#include "programs/validate/options.h"

// What a child process of the validator does (options.child): the library
// checks, or one plugin's checks from a phase on, reporting through the
// channel it was given. Returns the process's exit status.
int RunChildTask(const Options& options);
