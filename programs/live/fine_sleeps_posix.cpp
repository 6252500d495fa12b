#include "programs/live/fine_sleeps.h"

// Sleeps end to the microsecond already.
void AskFineSleeps() {}
