#include "tools/capture/private_display.h"

PrivateDisplay::PrivateDisplay(int, int) : server_(0) {}

PrivateDisplay::~PrivateDisplay() = default;
