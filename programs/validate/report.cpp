#include "programs/validate/report.h"

namespace {

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

CheckResult* Report::Find(const std::string& subject, const std::string& check) {
    for (CheckResult& row : rows)
        if (row.plugin == subject && row.check == check) return &row;
    return nullptr;
}

void Report::Fail(const std::string& message) {
    fatal = message;
    rows.clear();
    pending.clear();
}

void Report::Expect(const std::string& subject, const std::vector<Check>& checks) {
    for (Check check : checks) {
        if (Find(subject, InfoOf(check).name) != nullptr) continue;
        rows.push_back(CheckResult(check, CheckResult::Skipped, "", subject));
        pending.push_back(true);
    }
}

void Report::Add(const CheckResult& result) {
    CheckResult* row = Find(result.plugin, result.check);
    if (row == nullptr) {
        rows.push_back(result);
        pending.push_back(false);
        return;
    }
    size_t at = static_cast<size_t>(row - rows.data());
    if (pending[at]) {
        *row = result;
        pending[at] = false;
        return;
    }
    if (result.status == CheckResult::Finding && row->status == CheckResult::Finding) {
        int repeats = row->repeats + result.repeats + 1;
        if (result.level < row->level) *row = result;
        row->repeats = repeats;
    } else if (result.status == CheckResult::Finding ||
               (result.status == CheckResult::Passed && row->status == CheckResult::Skipped)) {
        *row = result;
    }
}

void Report::Close(const std::string& subject, const std::string& reason) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!pending[i] || rows[i].plugin != subject) continue;
        rows[i].message = reason;
        pending[i] = false;
    }
}

Report::Shown Report::ShownAs(const CheckResult& row) const {
    switch (row.status) {
        case CheckResult::Passed:
            return ShownPassed;
        case CheckResult::Finding:
            return row.level <= strictness ? ShownFinding : ShownWarning;
        default:
            return ShownSkipped;
    }
}

const char* Report::Name(Shown shown) {
    static const char* const names[] = {"passed", "finding", "warning", "skipped"};
    return names[shown];
}

Report::Counts Report::Count() const {
    Counts counts;
    for (const CheckResult& row : rows) {
        switch (ShownAs(row)) {
            case ShownPassed:
                ++counts.passed;
                break;
            case ShownFinding:
                ++counts.findings;
                break;
            case ShownWarning:
                ++counts.warnings;
                break;
            case ShownSkipped:
                ++counts.skipped;
                break;
        }
    }
    return counts;
}

int Report::ExitStatus() const {
    if (!fatal.empty()) return 2;
    return Count().findings > 0 ? 1 : 0;
}

std::string Report::SummaryLine() const {
    if (!fatal.empty()) return "Summary: " + pack + " could not be checked";
    Counts counts = Count();
    return "Summary: " + Plural(static_cast<int>(rows.size()), "check", "checks") + ": " +
           std::to_string(counts.passed) + " passed, " +
           Plural(counts.findings, "finding", "findings") + ", " +
           Plural(counts.warnings, "warning", "warnings") + ", " + std::to_string(counts.skipped) +
           " skipped at strictness " + std::to_string(strictness);
}

std::string Report::FixOf(const CheckResult& row) {
    if (!row.fix.empty()) return row.fix;
    const CheckInfo* info = FindCheck(row.check);
    return info ? info->fix : "";
}

std::string Report::TriesOf(const CheckResult& row) {
    const CheckInfo* info = FindCheck(row.check);
    return info ? info->tries : "";
}
