#include "tools/capture/demo_files.h"

std::string DemoFile(const CaptureOptions& options, const char* name) {
    if (options.demoFolder.empty()) return name;
    if (name[0] == '.' && name[1] == '/') name += 2;
    return options.demoFolder + "/" + name;
}
