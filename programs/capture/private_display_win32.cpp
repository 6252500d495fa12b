#include "programs/capture/private_display.h"

namespace Ombrel::Capture {

PrivateDisplay::PrivateDisplay(int, int, const GpuRequest&) : server(0), where("the desktop") {}

PrivateDisplay::~PrivateDisplay() = default;

}  // namespace Ombrel::Capture
