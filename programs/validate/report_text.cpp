// The report as text: one line per row, and under a finding (or a warning)
// where it was seen and what to change.
#include "programs/validate/report.h"

void WriteTextReport(const Report& report, bool onlyFailed, std::FILE* out) {
    std::fprintf(out, "ombrel-validate: %s at strictness %d", report.pack.c_str(),
                 report.strictness);
    for (const std::string& with : report.withPacks) std::fprintf(out, ", with %s", with.c_str());
    std::fprintf(out, "\n");
    if (!report.fatal.empty()) std::fprintf(out, "%s\n", report.fatal.c_str());
    for (const CheckResult& row : report.Rows()) {
        Report::Shown shown = report.ShownAs(row);
        if (onlyFailed && shown != Report::ShownFinding) continue;
        const char* label = shown == Report::ShownFinding ? "FINDING" : Report::Name(shown);
        std::fprintf(out, "%-8s %-19s %s: %s", label, row.check.c_str(),
                     row.plugin.empty() ? "pack" : row.plugin.c_str(), row.message.c_str());
        if (row.repeats > 0) std::fprintf(out, " (and %d more like it)", row.repeats);
        std::fprintf(out, "\n");
        if (row.status != CheckResult::Finding) continue;
        if (!row.step.empty()) std::fprintf(out, "         at: %s\n", row.step.c_str());
        std::fprintf(out, "         fix: %s\n", Report::FixOf(row).c_str());
    }
    std::fprintf(out, "%s\n", report.SummaryLine().c_str());
}
