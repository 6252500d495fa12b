#include <mmsystem.h>
#include <windows.h>

#include "programs/live/fine_sleeps.h"

namespace Ombrel::Live {

// Given back by the system when the process ends.
void AskFineSleeps() {
    timeBeginPeriod(1);
}

}  // namespace Ombrel::Live
