// The command lines of ombrel-capture and ombrel-live, as a script or a
// render farm's job file may hand them on: the input's lines are the
// arguments. Each is read or refused with Ombrel::Exception, and what is
// read holds values the programs can use.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/exception.h"
#include "programs/capture/capture_options.h"
#include "programs/live/live_options.h"

using namespace Ombrel::Live;

using namespace Ombrel::Capture;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> arguments;
    for (std::string line; std::getline(input, line);) arguments.push_back(line);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    try {
        CaptureOptions capture =
            ParseCaptureOptions(static_cast<int>(pointers.size()), pointers.data());
        if (capture.width <= 0 || capture.height <= 0 || capture.rateNumerator <= 0 ||
            capture.rateDenominator <= 0)
            abort();
    } catch (const Ombrel::Exception&) {
    }
    try {
        LiveOptions live = ParseLiveOptions(arguments);
        if (live.width <= 0 || live.height <= 0) abort();
        LiveUsage();
    } catch (const Ombrel::Exception&) {
    }
    return 0;
}
