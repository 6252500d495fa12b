#pragma once

#include <string>
#include <vector>

#include "programs/support/tab_record.h"
#include "programs/validate/check_result.h"

class ParentChannel;

// The records that a child process sends to the validator that started it,
// one per line, made with EncodeRecord and read with DecodeRecord
// (programs/support/tab_record.h):
//
//   step    <phase> <text>             a step begins (phase -1: setting up)
//   result  <check result fields>      a check's outcome
//   plugin  <index> <subject> <runnable> <why not>
//   fatal   <message>                  the pack cannot be checked at all
//   done                               the child has finished

std::vector<std::string> EncodeResult(const CheckResult& result);
// The result in fields from index 1 on (after the record's kind); false when
// the fields do not make one.
bool DecodeResult(const std::vector<std::string>& fields, CheckResult& result);

// The child's side: what it tells its parent.
class ChildReporter {
public:
    explicit ChildReporter(ParentChannel& toParent) : channel(toParent) {}

    void Step(int phase, const std::string& text);
    void Result(const CheckResult& result);
    void Plugin(int index, const std::string& subject, bool runnable, const std::string& whyNot);
    void Fatal(const std::string& message);
    void Done();

private:
    void Send(const std::vector<std::string>& fields);

    ParentChannel& channel;
};
