#include "host/settings.h"

// `english` starts false and RunDemo never sets it: only the dialog does.
Settings settings = {0, 0, 0, false, false};
