// The report as JUnit XML, for CI: one test suite for the pack, one test case
// per row; a finding fails its case, a skip skips it, a warning passes it
// with the warning in its output.
#include "programs/validate/report.h"

namespace {

// Text for an attribute or an element. Bytes outside ASCII become character
// references of the same number (a pack's texts need not be UTF-8), and
// control characters that XML cannot hold become '?'.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (unsigned char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\n':
                escaped += "&#10;";
                break;
            default:
                if (c >= 0x80) {
                    char reference[8];
                    std::snprintf(reference, sizeof reference, "&#x%02X;", c);
                    escaped += reference;
                } else {
                    escaped += c < 0x20 && c != '\t' ? '?' : static_cast<char>(c);
                }
        }
    }
    return escaped;
}

}  // namespace

void WriteJUnitReport(const Report& report, bool onlyFailed, std::FILE* out) {
    Report::Counts counts = report.Count();
    const int errors = report.fatal.empty() ? 0 : 1;
    int tests = errors;
    for (const CheckResult& row : report.Rows())
        if (!onlyFailed || report.ShownAs(row) == Report::ShownFinding) ++tests;
    const std::string pack = Escaped(report.pack);
    std::fprintf(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    std::fprintf(out,
                 "<testsuites name=\"ombrel-validate\" tests=\"%d\" failures=\"%d\" errors=\"%d\" "
                 "skipped=\"%d\">\n",
                 tests, counts.findings, errors, onlyFailed ? 0 : counts.skipped);
    std::fprintf(out,
                 "  <testsuite name=\"%s\" tests=\"%d\" failures=\"%d\" errors=\"%d\" "
                 "skipped=\"%d\">\n",
                 pack.c_str(), tests, counts.findings, errors, onlyFailed ? 0 : counts.skipped);
    std::fprintf(out, "    <properties><property name=\"strictness\" value=\"%d\"/></properties>\n",
                 report.strictness);
    if (errors)
        std::fprintf(out,
                     "    <testcase classname=\"%s.pack\" name=\"load\"><error message=\"%s\"/>"
                     "</testcase>\n",
                     pack.c_str(), Escaped(report.fatal).c_str());
    for (const CheckResult& row : report.Rows()) {
        Report::Shown shown = report.ShownAs(row);
        if (onlyFailed && shown != Report::ShownFinding) continue;
        std::fprintf(out, "    <testcase classname=\"%s.%s\" name=\"%s\">", pack.c_str(),
                     Escaped(row.plugin.empty() ? "pack" : row.plugin).c_str(),
                     Escaped(row.check).c_str());
        const std::string message = Escaped(row.message);
        if (shown == Report::ShownFinding) {
            std::fprintf(out,
                         "<failure message=\"%s\" type=\"strictness %d\">at: %s&#10;fix: %s"
                         "&#10;the check: %s",
                         message.c_str(), row.level, Escaped(row.step).c_str(),
                         Escaped(Report::FixOf(row)).c_str(),
                         Escaped(Report::TriesOf(row)).c_str());
            if (row.repeats > 0) std::fprintf(out, "&#10;(and %d more like it)", row.repeats);
            std::fprintf(out, "</failure>");
        } else if (shown == Report::ShownSkipped) {
            std::fprintf(out, "<skipped message=\"%s\"/>", message.c_str());
        } else {
            std::fprintf(out, "<system-out>%s%s</system-out>",
                         shown == Report::ShownWarning ? "warning: " : "", message.c_str());
        }
        std::fprintf(out, "</testcase>\n");
    }
    std::fprintf(out, "  </testsuite>\n</testsuites>\n");
}
