// The records a child process of the validator sends back, as a pack that
// runs in that child could forge them: each line decoded, its results added
// to a report, and the report written in each of its forms. Nothing a line
// holds makes the validator crash or write past what it owns.
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "programs/support/tab_record.h"
#include "programs/validate/channel.h"
#include "programs/validate/check_table.h"
#include "programs/validate/report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    Report report;
    report.pack = "Fuzzed.so";
    for (std::string line; std::getline(input, line);) {
        std::vector<std::string> fields = DecodeRecord(line);
        if (fields.empty()) abort();
        CheckResult result;
        if (fields[0] == "result" && DecodeResult(fields, result)) {
            report.Expect(result.plugin, {FindCheck(result.check)->id});
            report.Add(result);
        }
        if (EncodeRecord(fields) != line && DecodeRecord(EncodeRecord(fields)) != fields) abort();
    }
    report.Close("", "closed");
    WriteTextReport(report, false, sink);
    WriteJsonReport(report, false, sink);
    WriteJUnitReport(report, false, sink);
    report.SummaryLine();
    report.ExitStatus();
    return 0;
}
