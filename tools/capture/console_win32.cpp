#include <io.h>

#include "tools/capture/console.h"

bool IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}
