#include <sys/wait.h>

#include <cstdio>

#include "programs/live/output_lines.h"
#include "programs/live/shell_command.h"

int Ombrel::Tools::RunShellCommand(const std::string& command,
                                   const std::function<void(const std::string& line)>& line) {
    // The redirection takes the errors of the whole command, not only of its
    // last step ("cmake --build ... && cmake -E copy ..."); the line breaks
    // keep a comment at the command's end from swallowing the parenthesis.
    std::FILE* output = popen(("(\n" + command + "\n) 2>&1").c_str(), "r");
    if (output == nullptr) return -1;
    Ombrel::Live::ReadOutputLines(output, "", line);
    int status = pclose(output);
    if (status == -1) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
