#include "foundation/exception.h"

#include <cstdarg>
#include <cstdio>

namespace Ombrel {

Exception::Exception(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int written = vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    if (written < 0) message[0] = '\0';
}

}  // namespace Ombrel
