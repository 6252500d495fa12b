#include <windows.h>

#include "host/display.h"

void RestoreDisplayMode() {
    ChangeDisplaySettingsA(nullptr, 0);
}
