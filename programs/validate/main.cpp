// ombrel-validate: puts a plugin pack through everything the host will do to
// it, in child processes of its own, and reports each check with what to fix.
//
//   ombrel-validate [--with PACK]... [--strictness 1-5] [--format text|json|junit]
//                   [--only-failed] [--time-limit SECONDS] [--graph demo|none] PACK
//
// Exit status 0 when nothing counts as a finding at the strictness chosen, 1
// when something does, 2 on wrong usage or a pack that cannot be loaded at all.

#include <cstdio>

#include "programs/support/version_option.h"
#include "programs/validate/check_table.h"
#include "programs/validate/child_task.h"
#include "programs/validate/options.h"
#include "programs/validate/report.h"
#include "programs/validate/validation.h"

int main(int argc, char** argv) {
    if (PrintVersionWhenAsked(argc, argv, "ombrel-validate")) return 0;
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        if (error.empty()) {
            std::fputs(UsageText().c_str(), stdout);
            return 0;
        }
        std::fprintf(stderr, "ombrel-validate: %s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    if (options.listChecks) {
        std::fputs(ChecksTable().c_str(), stdout);
        return 0;
    }
    if (!options.child.empty()) return RunChildTask(options);

    Validation validation(options);
    validation.Run();
    const Report& report = validation.GetReport();
    switch (options.format) {
        case Options::Text:
            WriteTextReport(report, options.onlyFailed, stdout);
            break;
        case Options::Json:
            WriteJsonReport(report, options.onlyFailed, stdout);
            break;
        case Options::JUnit:
            WriteJUnitReport(report, options.onlyFailed, stdout);
            break;
    }
    if (options.format != Options::Text) std::fprintf(stderr, "%s\n", report.SummaryLine().c_str());
    std::fflush(stdout);
    return report.ExitStatus();
}
