#include "programs/capture/demo_files.h"

#include "programs/support/demo_folder.h"

namespace Ombrel::Capture {

std::string DemoFile(const CaptureOptions& options, const char* name) {
    return Tools::DemoFile(options.demoFolder, name);
}

}  // namespace Ombrel::Capture
