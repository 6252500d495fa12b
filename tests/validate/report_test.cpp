// The validator's report: how results of many child processes merge into one
// row per check, that the JSON and JUnit forms stay well-formed whatever bytes
// a pack's texts hold, that records survive the channel from a child, and
// that the tables of checks and host types are whole.

#include "programs/validate/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plugin/host_types.h"
#include "programs/validate/channel.h"

namespace {

CheckResult Finding(int level, const std::string& message) {
    CheckResult result(Check::Crash, CheckResult::Finding, message, "Plugin");
    result.level = level;
    return result;
}

std::string Written(void (*write)(const Report&, bool, std::FILE*), const Report& report) {
    std::FILE* file = std::tmpfile();
    write(report, false, file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

}  // namespace

TEST(ValidatorReport, AFindingOutweighsPassesAndTheMostSeriousOneIsKept) {
    Report report;
    report.strictness = 2;
    report.Expect("Plugin", {Check::Crash, Check::Hang, Check::Allocations});
    report.Add(CheckResult(Check::Crash, CheckResult::Passed, "no step crashed", "Plugin"));
    report.Add(Finding(3, "later"));
    report.Add(Finding(1, "worse"));
    report.Add(CheckResult(Check::Crash, CheckResult::Passed, "no step crashed", "Plugin"));
    report.Add(CheckResult(Check::Hang, CheckResult::Skipped, "first reason", "Plugin"));
    report.Add(CheckResult(Check::Hang, CheckResult::Passed, "every step ended", "Plugin"));
    report.Close("Plugin", "not reached");

    const CheckResult& crash = report.Rows()[0];
    EXPECT_EQ(crash.message, "worse");
    EXPECT_EQ(crash.repeats, 1);
    EXPECT_EQ(report.Rows()[1].status, CheckResult::Passed);
    EXPECT_EQ(report.Rows()[2].message, "not reached");
    EXPECT_EQ(report.ExitStatus(), 1);

    // Below its level, a finding is a warning and does not fail the pack.
    Report lenient;
    lenient.strictness = 2;
    lenient.Add(Finding(3, "a warning"));
    EXPECT_EQ(lenient.ShownAs(lenient.Rows()[0]), Report::ShownWarning);
    EXPECT_EQ(lenient.ExitStatus(), 0);
    lenient.Fail("Unable to load: Pack.so");
    EXPECT_TRUE(lenient.Rows().empty());
    EXPECT_EQ(lenient.ExitStatus(), 2);
}

TEST(ValidatorReport, JsonAndJUnitStayWellFormedWhateverBytesThePackGives) {
    Report report;
    report.pack = "Pack.so";
    report.Add(Finding(1, "<a & \"b\">\\ \t\n\x01\xE9"));

    const std::string json = Written(WriteJsonReport, report);
    EXPECT_NE(json.find("\"message\": \"<a & \\\"b\\\">\\\\ \\u0009\\u000a\\u0001\\u00e9\""),
              std::string::npos)
        << json;

    const std::string junit = Written(WriteJUnitReport, report);
    EXPECT_NE(junit.find("message=\"&lt;a &amp; &quot;b&quot;&gt;\\ \t&#10;?&#xE9;\""),
              std::string::npos)
        << junit;
}

TEST(ValidatorChannel, RecordsAndResultsSurviveTheTrip) {
    const std::vector<std::string> fields = {"step", "-1", "a\tb\nc\\d\re", ""};
    EXPECT_EQ(DecodeRecord(EncodeRecord(fields)), fields);
    EXPECT_EQ(EncodeRecord(fields).find('\n'), std::string::npos);

    CheckResult sent = Finding(2, "the\tmessage");
    sent.step = "Run 1";
    sent.fix = "fix\nit";
    sent.repeats = 4;
    CheckResult received;
    ASSERT_TRUE(DecodeResult(DecodeRecord(EncodeRecord(EncodeResult(sent))), received));
    EXPECT_EQ(received.check, sent.check);
    EXPECT_EQ(received.plugin, sent.plugin);
    EXPECT_EQ(received.status, sent.status);
    EXPECT_EQ(received.level, 2);
    EXPECT_EQ(received.step, sent.step);
    EXPECT_EQ(received.message, sent.message);
    EXPECT_EQ(received.fix, sent.fix);
    EXPECT_EQ(received.repeats, 4);
    EXPECT_FALSE(DecodeResult({"result", "too", "few"}, received));
}

// The tables the validator is made of: every check is found by its own name
// and concerns something, within the strictness levels, with a fix; the
// host's types are found by name, make values of their own class that hold
// the test value they were made with, and no other.
TEST(ValidatorTables, EveryCheckAndHostTypeRowIsCompleteAndFoundByName) {
    for (const CheckInfo& info : Checks()) {
        EXPECT_EQ(FindCheck(info.name), &info) << info.name;
        EXPECT_EQ(&InfoOf(info.id), &info) << info.name;
        EXPECT_STRNE(info.concerns, "") << info.name;
        EXPECT_GE(info.strictness, FindingLevel::Lowest) << info.name;
        EXPECT_LE(info.strictness, FindingLevel::Highest) << info.name;
        EXPECT_STRNE(info.fix, "") << info.name;
    }
    EXPECT_EQ(FindCheck("no-such-check"), nullptr);
    CheckResult unknown;
    EXPECT_FALSE(DecodeResult({"result", "no-such-check", "", "0", "1", "", "", "", "0"}, unknown))
        << "a child's record of a check the table lacks is refused";

    int count = 0;
    const HostType* rows = HostTypes(count);
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(FindHostType(rows[i].name), &rows[i]);
        for (int set = 0; set < HostTypeTestSets; ++set) {
            Value* value = rows[i].make(set, 3);
            EXPECT_TRUE(rows[i].holds(*value, set, 3)) << rows[i].name << " set " << set;
            EXPECT_EQ(rows[i].payloadProblem(*value), "") << rows[i].name << " set " << set;
            EXPECT_STRNE(rows[i].describe(set), "");
            rows[i].release(value);
        }
    }
    EXPECT_EQ(FindHostType("Int"), nullptr) << "type names are matched with their case";
    IntValue notABool(2);
    EXPECT_NE(FindHostType("bool")->payloadProblem(notABool), "");
}
