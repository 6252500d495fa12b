#include <unistd.h>

#include "programs/support/terminal.h"

bool Ombrel::Tools::IsTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}
