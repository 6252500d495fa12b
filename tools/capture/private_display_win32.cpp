#include "tools/capture/private_display.h"

PrivateDisplay::PrivateDisplay(int, int) : server(0) {}

PrivateDisplay::~PrivateDisplay() = default;
