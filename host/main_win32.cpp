#include <windows.h>

#include "host/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return Ombrel::Host::RunDemoReportingFailures(commandLine);
}
