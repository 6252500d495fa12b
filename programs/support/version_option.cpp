#include "programs/support/version_option.h"

#include <cstdio>
#include <cstring>

#include "ombrel_version.h"

bool PrintVersionWhenAsked(int argc, char** argv, const char* program) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", program, OmbrelVersion());
            return true;
        }
    }
    return false;
}

const char* OmbrelVersion() {
    return OMBREL_VERSION;
}
