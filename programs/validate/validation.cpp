#include "programs/validate/validation.h"

#include <cstdio>
#include <cstdlib>

#include "programs/support/child_process.h"
#include "programs/validate/channel.h"
#include "programs/validate/library_checks.h"
#include "programs/validate/plugin_checks.h"

namespace {

// A child's first record may come late: the system starts the process and
// loads its libraries (a second or more under wine) before any step.
const double StartAllowanceSeconds = 30;

template <typename T>
std::vector<T> Joined(const std::vector<T>& a, const std::vector<T>& b) {
    std::vector<T> joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    return joined;
}

}  // namespace

Validation::Validation(const Options& given) : options(given) {
    report.pack = given.pack;
    report.withPacks = given.withPacks;
    report.strictness = given.strictness;
}

void Validation::Record(const std::vector<std::string>& fields, const std::string& subject,
                        ChildEnd& end) {
    const std::string& kind = fields[0];
    if (kind == "step" && fields.size() == 3) {
        end.phase = std::atoi(fields[1].c_str());
        end.step = fields[2];
    } else if (kind == "result") {
        CheckResult result;
        if (!DecodeResult(fields, result)) return;
        // A plugin's child speaks only of that plugin.
        if (!subject.empty()) result.plugin = subject;
        report.Add(result);
    } else if (kind == "plugin" && fields.size() == 5) {
        PluginToCheck plugin = {std::atoi(fields[1].c_str()), fields[2], fields[3] == "1",
                                fields[4]};
        plugins.push_back(plugin);
        report.Expect(plugin.subject, Joined(PluginTextChecks(), PluginChecks()));
    } else if (kind == "fatal" && fields.size() == 2) {
        report.Fail(fields[1]);
    }
}

// After "done": the process must still end, running the pack's static
// destructors on the way out.
void Validation::FinishChild(ChildProcess& child, ChildEnd& end) {
    end.phase = -1;
    end.step = "the end of a process that loaded the pack (its static objects are destroyed)";
    std::string line;
    ChildProcess::ReadResult read;
    while ((read = child.ReadLine(line, options.timeLimit)) == ChildProcess::Line) {
    }
    if (read == ChildProcess::TimedOut) {
        child.Kill();
        end.how = ChildEnd::Hung;
    } else {
        end.description = child.Wait();
        end.how = end.description.empty() ? ChildEnd::Done : ChildEnd::Crashed;
    }
    if (end.how != ChildEnd::Done && !endTroubleReported) {
        endTroubleReported = true;
        ReportTrouble("", end);
    }
    end.how = ChildEnd::Done;
}

Validation::ChildEnd Validation::RunChild(const std::vector<std::string>& task,
                                          const std::string& subject) {
    ChildEnd end;
    std::vector<std::string> arguments = {options.pack};
    if (ChecksDemoGraph(options)) {
        arguments.push_back("--graph");
        arguments.push_back("demo");
    }
    for (const std::string& with : options.withPacks) {
        arguments.push_back("--with");
        arguments.push_back(with);
    }
    arguments = Joined(arguments, task);
    ChildProcess child;
    if (!child.Start(arguments, end.description)) {
        end.how = ChildEnd::NotStarted;
        return end;
    }
    double wait = options.timeLimit + StartAllowanceSeconds;
    for (;;) {
        std::string line;
        ChildProcess::ReadResult read = child.ReadLine(line, wait);
        wait = options.timeLimit;
        if (read == ChildProcess::TimedOut) {
            child.Kill();
            end.how = ChildEnd::Hung;
            return end;
        }
        if (read == ChildProcess::Ended) {
            end.description = child.Wait();
            if (end.description.empty()) end.description = "it ended before it had finished";
            end.how = ChildEnd::Crashed;
            return end;
        }
        std::vector<std::string> fields = DecodeRecord(line);
        if (fields[0] == "done") {
            FinishChild(child, end);
            return end;
        }
        Record(fields, subject, end);
    }
}

void Validation::ReportTrouble(const std::string& subject, const ChildEnd& end) {
    CheckResult result;
    result.plugin = subject;
    result.status = CheckResult::Finding;
    result.level = FindingLevel::HostFails;
    result.step = end.step;
    if (end.how == ChildEnd::Hung) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "no answer within %g seconds: the host would hang there, its window "
                      "frozen",
                      options.timeLimit);
        result.check = InfoOf(Check::Hang).name;
        result.message = text;
        result.fix = "make every operation return; a wait or a loop must end on its own";
    } else {
        result.check = InfoOf(Check::Crash).name;
        result.message =
            "the process ended: " + end.description + ". The host would end the same way";
        result.fix = "run the plugin with the values of this step under a debugger";
    }
    report.Add(result);
}

// The passes of crash and hang, which a finding of either outweighs.
void Validation::AddCalmPasses(const std::string& subject) {
    report.Add(CheckResult(Check::Crash, CheckResult::Passed, "no step crashed", subject));
    report.Add(CheckResult(Check::Hang, CheckResult::Passed,
                           "every step ended within the time limit", subject));
}

void Validation::CheckLibrary() {
    std::fprintf(stderr, "ombrel-validate: checking %s as a library\n", options.pack.c_str());
    report.Expect("", LibraryChecks());
    if (ChecksDemoGraph(options)) report.Expect("", GraphChecks());
    ChildEnd end = RunChild({"--child", "library"}, "");
    if (!report.fatal.empty()) return;
    std::string reason = "not checked: an earlier finding stops the checks here";
    if (end.how == ChildEnd::NotStarted) {
        report.Fail(end.description);
        return;
    }
    if (end.how != ChildEnd::Done) {
        ReportTrouble("", end);
        reason = "not reached: the process " +
                 std::string(end.how == ChildEnd::Hung ? "hung" : "crashed") + " at " + end.step;
    }
    AddCalmPasses("");
    report.Close("", reason);
    for (const PluginToCheck& plugin : plugins) {
        for (Check check : PluginTextChecks())
            report.Add(CheckResult(check, CheckResult::Skipped, reason, plugin.subject));
    }
}

void Validation::CheckPlugin(const PluginToCheck& plugin, size_t number) {
    if (!plugin.runnable) {
        report.Close(plugin.subject, "not checked: " + plugin.whyNot);
        return;
    }
    std::fprintf(stderr, "ombrel-validate: checking plugin %s (%zu of %zu)\n",
                 plugin.subject.c_str(), number, plugins.size());
    std::string trouble;
    int phase = 0;
    while (phase < PluginPhaseCount) {
        ChildEnd end =
            RunChild({"--child", "plugin", std::to_string(plugin.index), std::to_string(phase)},
                     plugin.subject);
        if (end.how == ChildEnd::Done) break;
        if (end.how == ChildEnd::NotStarted) {
            trouble = "not checked: " + end.description;
            break;
        }
        const char* what = end.how == ChildEnd::Hung ? "hung" : "crashed";
        if (end.phase < 0) {
            // Not the plugin's own doing: loading or a maker's run failed.
            trouble = std::string("not checked: the process ") + what + " at " + end.step +
                      (end.description.empty() ? "" : " (" + end.description + ")");
            break;
        }
        ReportTrouble(plugin.subject, end);
        trouble = std::string("not reached: the process ") + what + " at " + end.step;
        // A hang would only cost the time limit again at every later phase.
        if (end.how == ChildEnd::Hung) break;
        phase = end.phase + 1;
    }
    if (trouble.compare(0, 12, "not checked:") != 0) AddCalmPasses(plugin.subject);
    report.Close(plugin.subject, trouble.empty()
                                     ? "not checked: an earlier finding stops the checks here"
                                     : trouble);
}

void Validation::Run() {
    CheckLibrary();
    if (!report.fatal.empty()) return;
    for (size_t i = 0; i < plugins.size(); ++i) CheckPlugin(plugins[i], i + 1);
}
