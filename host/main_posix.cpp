#include "host/entry.h"

int main(int, char**) {
    return Ombrel::Host::RunDemoReportingFailures("");
}
