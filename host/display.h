#pragma once

namespace Ombrel::Host {

// Returns the display to its normal mode after the OpenGL pack may have
// switched it to full screen. Harmless when nothing was changed.
void RestoreDisplayMode();

}  // namespace Ombrel::Host
