#include <unistd.h>

#include "tools/capture/process_name.h"

std::string ProcessName() {
    char host[256] = {0};
    if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    for (char* c = host; *c != '\0'; ++c) {
        if (*c == '/') *c = '_';
    }
    return std::string(host[0] ? host : "host") + "-" + std::to_string(getpid());
}
