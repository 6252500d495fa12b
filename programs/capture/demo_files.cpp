#include "programs/capture/demo_files.h"

#include "programs/support/demo_folder.h"

std::string DemoFile(const CaptureOptions& options, const char* name) {
    return DemoFile(options.demoFolder, name);
}
