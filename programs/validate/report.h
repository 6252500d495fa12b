#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "programs/validate/check_result.h"

// The validator's findings, one row per check and subject (the pack, or one
// of its plugins), gathered from the child processes in the order of the
// report. Rows are laid out before their results come; a row that gets none
// is skipped, with the reason given when the subject is closed.
class Report {
public:
    enum Shown { ShownPassed, ShownFinding, ShownWarning, ShownSkipped };

    std::string pack;
    std::vector<std::string> withPacks;
    int strictness = FindingLevel::Default;
    // Set when the pack cannot be checked at all.
    std::string fatal;

    // The pack cannot be checked at all: the report holds only the message.
    void Fail(const std::string& message);
    // Lays out rows for the checks of a subject that it has no row for yet.
    void Expect(const std::string& subject, const std::vector<Check>& checks);
    // A finding outweighs a pass, which outweighs a skip; a second finding of
    // a row counts as a repeat of the first (the more serious one is kept).
    void Add(const CheckResult& result);
    // The rows of the subject that got no result are skipped, for `reason`.
    void Close(const std::string& subject, const std::string& reason);

    const std::vector<CheckResult>& Rows() const { return rows; }
    Shown ShownAs(const CheckResult& row) const;
    // "passed", "finding", "warning" or "skipped".
    static const char* Name(Shown shown);
    // What to change for a finding: its own advice, or the check's.
    static std::string FixOf(const CheckResult& row);
    // What the row's check tries, from the table of checks.
    static std::string TriesOf(const CheckResult& row);

    struct Counts {
        int passed = 0, findings = 0, warnings = 0, skipped = 0;
    };
    Counts Count() const;
    // 0: nothing counts as a finding; 1: something does; 2: the pack could
    // not be checked at all.
    int ExitStatus() const;
    // "Summary: 42 checks: 40 passed, 1 finding, 0 warnings, 1 skipped at strictness 5"
    std::string SummaryLine() const;

private:
    CheckResult* Find(const std::string& subject, const std::string& check);

    std::vector<CheckResult> rows;
    std::vector<bool> pending;
};

// The forms of the report, written to `out`: a line per row (with the
// fix under each finding), JSON, and JUnit XML.
void WriteTextReport(const Report& report, bool onlyFailed, std::FILE* out);
void WriteJsonReport(const Report& report, bool onlyFailed, std::FILE* out);
void WriteJUnitReport(const Report& report, bool onlyFailed, std::FILE* out);
