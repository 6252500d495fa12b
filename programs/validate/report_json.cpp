// The report as one JSON object: the pack, the strictness, a row per check
// and the summary's counts.
#include "programs/validate/report.h"

namespace {

// A JSON string. Bytes outside ASCII are written as the Latin-1 characters of
// the same number: a pack's texts need not be UTF-8.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            quoted += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        }
    }
    return quoted + "\"";
}

}  // namespace

void WriteJsonReport(const Report& report, bool onlyFailed, std::FILE* out) {
    std::fprintf(out, "{\n  \"pack\": %s,\n  \"with\": [", Quoted(report.pack).c_str());
    for (size_t i = 0; i < report.withPacks.size(); ++i)
        std::fprintf(out, "%s%s", i ? ", " : "", Quoted(report.withPacks[i]).c_str());
    std::fprintf(out, "],\n  \"strictness\": %d,\n", report.strictness);
    if (!report.fatal.empty())
        std::fprintf(out, "  \"fatal\": %s,\n", Quoted(report.fatal).c_str());
    std::fprintf(out, "  \"results\": [");
    const char* separator = "\n";
    for (const CheckResult& row : report.Rows()) {
        Report::Shown shown = report.ShownAs(row);
        if (onlyFailed && shown != Report::ShownFinding) continue;
        std::fprintf(out, "%s    {\"check\": %s, \"plugin\": %s, \"status\": \"%s\"", separator,
                     Quoted(row.check).c_str(), Quoted(row.plugin).c_str(), Report::Name(shown));
        if (row.status == CheckResult::Finding)
            std::fprintf(out,
                         ", \"level\": %d, \"step\": %s, \"fix\": %s, \"repeats\": %d, "
                         "\"checks\": %s",
                         row.level, Quoted(row.step).c_str(), Quoted(Report::FixOf(row)).c_str(),
                         row.repeats, Quoted(Report::TriesOf(row)).c_str());
        std::fprintf(out, ", \"message\": %s}", Quoted(row.message).c_str());
        separator = ",\n";
    }
    Report::Counts counts = report.Count();
    std::fprintf(out,
                 "\n  ],\n  \"summary\": {\"checks\": %d, \"passed\": %d, \"findings\": %d, "
                 "\"warnings\": %d, \"skipped\": %d},\n  \"exitStatus\": %d\n}\n",
                 static_cast<int>(report.Rows().size()), counts.passed, counts.findings,
                 counts.warnings, counts.skipped, report.ExitStatus());
}
