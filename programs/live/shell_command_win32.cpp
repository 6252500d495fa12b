#include <cstdio>

#include "programs/live/output_lines.h"
#include "programs/live/shell_command.h"

int Ombrel::Tools::RunShellCommand(const std::string& command,
                                   const std::function<void(const std::string& line)>& line) {
    std::FILE* output = _popen((command + " 2>&1").c_str(), "r");
    if (output == nullptr) return -1;
    // cmd's echo keeps the blank before a redirection: no line ends in one.
    ReadOutputLines(output, "\r ", line);
    return _pclose(output);
}
