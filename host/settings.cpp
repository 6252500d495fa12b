#include "host/settings.h"

namespace Ombrel::Host {

// `english` starts false and RunDemo never sets it: only the dialog does.
Settings settings = {0, 0, 0, false, false};

}  // namespace Ombrel::Host
