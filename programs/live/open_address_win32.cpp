#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include "programs/live/open_address.h"

namespace Ombrel::Live {

bool OpenAddress(const std::string& address, std::string& error) {
    std::wstring wide(address.begin(), address.end());  // the address is ASCII
    HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        error = "ShellExecute: error " + std::to_string(reinterpret_cast<INT_PTR>(result));
        return false;
    }
    return true;
}

}  // namespace Ombrel::Live
