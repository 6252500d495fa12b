#include "programs/validate/channel.h"

#include <cstdlib>

#include "programs/support/child_process.h"

std::vector<std::string> EncodeResult(const CheckResult& r) {
    return {"result",
            r.check,
            r.plugin,
            std::to_string(static_cast<int>(r.status)),
            std::to_string(r.level),
            r.step,
            r.message,
            r.fix,
            std::to_string(r.repeats)};
}

bool DecodeResult(const std::vector<std::string>& fields, CheckResult& r) {
    if (fields.size() != 9 || FindCheck(fields[1]) == nullptr) return false;
    int status = std::atoi(fields[3].c_str());
    if (status < CheckResult::Passed || status > CheckResult::Skipped) return false;
    r.check = fields[1];
    r.plugin = fields[2];
    r.status = static_cast<CheckResult::Status>(status);
    r.level = std::atoi(fields[4].c_str());
    r.step = fields[5];
    r.message = fields[6];
    r.fix = fields[7];
    r.repeats = std::atoi(fields[8].c_str());
    return true;
}

void ChildReporter::Send(const std::vector<std::string>& fields) {
    channel.Send(EncodeRecord(fields));
}

void ChildReporter::Step(int phase, const std::string& text) {
    Send({"step", std::to_string(phase), text});
}

void ChildReporter::Result(const CheckResult& result) {
    Send(EncodeResult(result));
}

void ChildReporter::Plugin(int index, const std::string& subject, bool runnable,
                           const std::string& whyNot) {
    Send({"plugin", std::to_string(index), subject, runnable ? "1" : "0", whyNot});
}

void ChildReporter::Fatal(const std::string& message) {
    Send({"fatal", message});
}

void ChildReporter::Done() {
    Send({"done"});
}
