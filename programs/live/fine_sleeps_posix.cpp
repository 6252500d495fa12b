#include "programs/live/fine_sleeps.h"

namespace Ombrel::Live {

// Sleeps end to the microsecond already.
void AskFineSleeps() {}

}  // namespace Ombrel::Live
