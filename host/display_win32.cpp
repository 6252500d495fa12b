#include <windows.h>

#include "host/display.h"

namespace Ombrel::Host {

void RestoreDisplayMode() {
    ChangeDisplaySettingsA(nullptr, 0);
}

}  // namespace Ombrel::Host
