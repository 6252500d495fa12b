#pragma once

namespace Ombrel::Live {

// Asks the system to wake sleeping threads to the millisecond while the
// process runs: the frame cap sleeps until each frame's time, and Windows
// otherwise wakes them in steps of 15.6 ms, which would make a cap of 60 a
// second nearer 32 (fine_sleeps_posix.cpp, fine_sleeps_win32.cpp).
void AskFineSleeps();

}  // namespace Ombrel::Live
