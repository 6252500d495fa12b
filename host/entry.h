#pragma once

namespace Ombrel::Host {

// Runs the demo inside the entry's handlers and returns the program's exit
// code (0, whether the demo ended or a failure was reported). An
// Ombrel::Exception is shown as it is. A plugin that throws anything else
// would otherwise end the process without a word: that is shown too, after
// the display has been returned to its normal mode, so the box is not hidden
// behind a full-screen window.
int RunDemoReportingFailures(const char* commandLine);

}  // namespace Ombrel::Host
