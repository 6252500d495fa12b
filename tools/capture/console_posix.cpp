#include <unistd.h>

#include "tools/capture/console.h"

bool IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}
