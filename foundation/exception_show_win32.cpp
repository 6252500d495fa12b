#include <windows.h>

#include "foundation/exception.h"

namespace Ombrel {

void Exception::Show() { MessageBoxA(nullptr, message, "Exception", MB_OK | MB_ICONSTOP); }

}  // namespace Ombrel
