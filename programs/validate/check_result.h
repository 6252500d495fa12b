#pragma once

#include <string>

#include "programs/validate/check_table.h"

// One outcome of one check, of the pack as a whole or of one of its plugins.
struct CheckResult {
    enum Status { Passed, Finding, Skipped };

    std::string check;   // the check's name, e.g. "out-slots"
    std::string plugin;  // the plugin it concerns; empty for the pack as a whole
    Status status = Passed;
    // A finding counts from this strictness up; below it, it is shown as a
    // warning (see FindingLevel).
    int level = 1;
    std::string step;     // where it was seen, e.g. "edge values 1: Run 2"
    std::string message;  // what was seen, or measured for a pass, or why skipped
    std::string fix;      // what to change, for a finding
    int repeats = 0;      // further findings of this check on this subject

    CheckResult() = default;
    CheckResult(Check id, Status outcome, const std::string& text, const std::string& subject = "")
        : check(InfoOf(id).name), plugin(subject), status(outcome), message(text) {}
};

// The strictness at which a kind of finding starts to count. Each level adds
// to the ones below it.
namespace FindingLevel {
// What stops or crashes the host: the pack is refused, a plugin crashes or
// hangs, an exception of another type escapes, an out value of the wrong type.
const int HostFails = 1;
// Breaches of the contract that the host does not trip over today.
const int Contract = 2;
// What a user of the demo would meet: lost signature text, a type nobody
// makes, an exception with ordinary values, a nameless pack.
const int User = 3;
// Allocations in every Run of a per-frame plugin.
const int Allocations = 4;
// Beyond the demo's own use: time (a per-frame Run slower than a frame, a
// slow load), and a plugin with out arguments that fails when it runs again
// (the demo runs such a plugin once).
const int Timing = 5;
const int RunAgain = 5;

const int Lowest = 1;
const int Highest = 5;
const int Default = 3;
}  // namespace FindingLevel
