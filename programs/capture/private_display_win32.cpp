#include "programs/capture/private_display.h"

PrivateDisplay::PrivateDisplay(int, int, const GpuRequest&) : server(0), where("the desktop") {}

PrivateDisplay::~PrivateDisplay() = default;
