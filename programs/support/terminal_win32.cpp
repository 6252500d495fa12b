#include <io.h>

#include "programs/support/terminal.h"

bool Ombrel::Tools::IsTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}
