#include "host/entry.h"

#include <exception>

#include "foundation/exception.h"
#include "host/display.h"
#include "host/run_demo.h"

namespace Ombrel::Host {

int RunDemoReportingFailures(const char* commandLine) {
    try {
        RunDemo(commandLine);
    } catch (Ombrel::Exception& exception) {
        exception.Show();
    } catch (const std::exception& exception) {
        RestoreDisplayMode();
        Ombrel::Exception("Unexpected exception: %s", exception.what()).Show();
    } catch (...) {
        RestoreDisplayMode();
        Ombrel::Exception("Unexpected exception of an unknown type").Show();
    }
    return 0;
}

}  // namespace Ombrel::Host
