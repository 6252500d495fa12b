#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "programs/live/output_lines.h"
#include "programs/live/shell_command.h"

// cmd runs the command with one pipe for its output and its errors, which
// every step of it inherits ("cmake --build ... && cmake -E copy ..."): a
// redirection written into the command would take the last step's alone.
int Ombrel::Tools::RunShellCommand(const std::string& command,
                                   const std::function<void(const std::string& line)>& line) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = writeEnd;
    start.hStdError = writeEnd;
    // /s: cmd takes what stands between the first and the last quote as it is.
    std::string text = "cmd.exe /d /s /c \"" + command + "\"";
    std::vector<char> commandLine(text.begin(), text.end());
    commandLine.push_back('\0');
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &start, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    CloseHandle(process.hThread);
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(readEnd), _O_RDONLY);
    std::FILE* output = descriptor >= 0 ? _fdopen(descriptor, "rb") : nullptr;
    if (output != nullptr) {
        // cmd's echo keeps the blank before a redirection: no line ends in one.
        Ombrel::Live::ReadOutputLines(output, "\r ", line);
        std::fclose(output);
    } else if (descriptor >= 0) {
        _close(descriptor);
    } else {
        CloseHandle(readEnd);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
