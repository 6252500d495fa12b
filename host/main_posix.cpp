#include "host/entry.h"

int main(int, char**) {
    return RunDemoReportingFailures("");
}
