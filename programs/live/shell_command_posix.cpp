#include <sys/wait.h>

#include <cstdio>

#include "programs/live/output_lines.h"
#include "programs/live/shell_command.h"

int Ombrel::Tools::RunShellCommand(const std::string& command,
                                   const std::function<void(const std::string& line)>& line) {
    std::FILE* output = popen((command + " 2>&1").c_str(), "r");
    if (output == nullptr) return -1;
    ReadOutputLines(output, "", line);
    int status = pclose(output);
    if (status == -1) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
