#include <windows.h>

#include "foundation/exception.h"
#include "host/run_demo.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    try {
        RunDemo(commandLine);
    } catch (Ombrel::Exception& exception) {
        exception.Show();
    }
    return 0;
}
