#include <windows.h>

#include "programs/live/new_file.h"

bool Ombrel::Tools::WriteNewFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool wrote = text.empty() || (WriteFile(file, text.data(), static_cast<DWORD>(text.size()),
                                            &written, nullptr) &&
                                  written == text.size());
    bool closed = CloseHandle(file) != 0;
    return wrote && closed;
}
