#include "programs/validate/plugin_checks.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include "foundation/timer.h"
#include "plugin/variable.h"
#include "programs/validate/guarded_call.h"
#include "programs/validate/pack_allocations.h"
#include "programs/validate/test_values.h"
#include "programs/validate/value_makers.h"
#include "programs/validate/value_type_check.h"

namespace {

const int OrdinaryCycles = 2;
const int OrdinaryRuns = 8;
// Runs of a cycle before allocations and time are counted: first runs may
// make what later ones reuse.
const int WarmUpRuns = 3;
const int EdgeRuns = 2;
// A per-frame Run should fit in a frame at 60 frames per second.
const double FrameSeconds = 1.0 / 60;
// Findings of one check sent per phase; later ones only repeat them.
const int MaxFindingsSent = 20;

// "IntValue for int, IntValue for bool, ...": the classes of the host's types.
std::string HostClasses() {
    int count = 0;
    const HostType* rows = HostTypes(count);
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(i ? ", " : "") + rows[i].className + " for " + rows[i].name;
    return text;
}

std::string Format(const char* format, double a, double b) {
    char text[256];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// One argument as bound for a phase: the variable, and for an "in" argument
// what it must still hold after a Run.
struct Argument {
    std::string type;
    std::string name;
    bool in = true;
    bool optional = false;
    Variable* variable = nullptr;
    Value* given = nullptr;
};

class PluginChecker {
public:
    PluginChecker(PluginDescriptor& checked, ValueMakers& valueMakers, ChildReporter& childReporter)
        : descriptor(checked),
          plugin(checked.plugin),
          makers(valueMakers),
          reporter(childReporter),
          perFrame(!IsMaker(checked)) {}

    // Gets the values of the pack's own types that the plugin reads.
    bool SetUp(std::string& failure);
    void RunPhase(int which);

private:
    void CloneAndRelease();
    // With ordinary values, an Ombrel::Exception is a finding, and the Runs
    // after the first few of each cycle are measured.
    void Cycles(const ValueSet& set, int cycles, int runs, bool ordinaryPhase);
    void SetArgumentOutOfRange();
    void EmptySlots();
    void ReportMeasurements();
    void ReportPhasePasses();

    void Bind(const ValueSet& set);
    bool Rebind();
    bool Call(const std::string& operation, const std::function<void()>& call);
    bool Judge(const std::string& operation, const CallOutcome& outcome);
    bool RunOnce(int run);
    void CheckOutSlots();
    void CheckInValues(int run);
    void Step(const std::string& operation);
    void Found(Check check, int level, const std::string& message, const std::string& fix);
    void Passed(Check check, const std::string& message);
    void Skipped(Check check, const std::string& reason);

    PluginDescriptor& descriptor;
    Plugin* plugin;
    ValueMakers& makers;
    ChildReporter& reporter;
    const bool perFrame;
    std::vector<Variable*> provided;  // by argument index, for the pack's own types
    const ValueSet ordinaryValues = OrdinaryValues();
    const std::vector<ValueSet> edgeValues = EdgeValueSets();

    int phase = 0;
    std::string phaseName;
    std::string step;
    const ValueSet* values = nullptr;
    bool ordinary = false;  // the ordinary phase is running
    std::vector<Argument> arguments;
    std::map<Check, int> found;  // findings of this phase, by check
    bool runReturned = false;
    bool ranBefore = false;  // Run has been called in this process
    bool prepared = true;

    // Counted runs of the ordinary phase.
    int measuredRuns = 0;
    long ownAllocations = 0;
    long otherAllocations = 0;
    double totalSeconds = 0;
    double longestSeconds = 0;
};

bool PluginChecker::SetUp(std::string& failure) {
    provided.assign(descriptor.GetArgumentCount(), nullptr);
    for (int i = 0; i < descriptor.GetArgumentCount(); ++i) {
        const std::string type = descriptor.typeNames[i].GetText();
        if (!descriptor.inFlags[i] || IsHostType(type)) continue;
        provided[i] = makers.Provide(type, plugin, failure);
        if (provided[i] == nullptr) return false;
    }
    return true;
}

void PluginChecker::RunPhase(int which) {
    phase = which;
    found.clear();
    runReturned = false;
    switch (which) {
        case PhaseCloneRelease:
            phaseName = "Clone and Release";
            CloneAndRelease();
            return;
        case PhaseOrdinary:
            phaseName = ordinaryValues.name;
            Cycles(ordinaryValues, OrdinaryCycles, OrdinaryRuns, true);
            ReportMeasurements();
            break;
        case PhaseEmptySlots:
            phaseName = "the pack's types empty";
            EmptySlots();
            break;
        case PhaseEdgeValues1:
        case PhaseEdgeValues2:
        case PhaseEdgeValues3: {
            const ValueSet& set = edgeValues[which - PhaseEdgeValues1];
            phaseName = set.name;
            Cycles(set, 1, EdgeRuns, false);
            break;
        }
        case PhaseSetArgumentRange:
            phaseName = "SetArgument out of range";
            SetArgumentOutOfRange();
            break;
    }
    ReportPhasePasses();
}

void PluginChecker::Step(const std::string& operation) {
    step = phaseName + ": " + operation;
    reporter.Step(phase, step);
}

void PluginChecker::Found(Check check, int level, const std::string& message,
                          const std::string& fix) {
    if (++found[check] > MaxFindingsSent) return;
    CheckResult result;
    result.check = InfoOf(check).name;
    result.status = CheckResult::Finding;
    result.level = level;
    result.step = step;
    result.message = message;
    result.fix = fix;
    reporter.Result(result);
}

void PluginChecker::Passed(Check check, const std::string& message) {
    if (found.count(check) == 0) reporter.Result(CheckResult(check, CheckResult::Passed, message));
}

void PluginChecker::Skipped(Check check, const std::string& reason) {
    reporter.Result(CheckResult(check, CheckResult::Skipped, reason));
}

// Calls into the plugin and judges what escapes: only Ombrel::Exception, with
// a message. True when the call returned.
bool PluginChecker::Call(const std::string& operation, const std::function<void()>& call) {
    Step(operation);
    return Judge(operation, GuardedCall(call));
}

bool PluginChecker::Judge(const std::string& operation, const CallOutcome& outcome) {
    if (outcome.kind == CallOutcome::Returned) return true;
    if (outcome.kind == CallOutcome::OtherException) {
        Found(Check::ExceptionType, FindingLevel::HostFails,
              operation + " threw " + outcome.text +
                  ": only Ombrel::Exception may leave a plugin, the host ends at once on "
                  "anything else",
              "catch it inside the plugin and throw Ombrel::Exception with a message that "
              "names the plugin");
    } else if (!outcome.textEnded) {
        Found(Check::ExceptionText, FindingLevel::Contract,
              operation + " threw an Ombrel::Exception whose message does not end in its 512 bytes",
              "make the message with the exception's printf-style constructor, which ends it");
    } else if (outcome.text.empty()) {
        Found(Check::ExceptionText, FindingLevel::Contract,
              operation +
                  " threw an Ombrel::Exception with an empty message: the user would "
                  "see an empty box",
              "say what failed, naming the plugin and the argument");
    } else if (ordinary && (perFrame || !ranBefore)) {
        Found(Check::Lifecycle, FindingLevel::User,
              operation + " threw \"" + outcome.text +
                  "\" with ordinary values: the host would show it and stop, or end the demo",
              "throw only for a real failure, and check what the plugin needs from its arguments");
    } else if (ordinary) {
        // The host runs a plugin with out arguments once, at its first start.
        Found(Check::Lifecycle, FindingLevel::RunAgain,
              operation + " threw \"" + outcome.text +
                  "\" with ordinary values, after an earlier Run: the demo runs the plugin once, "
                  "another program may run it again",
              "let the plugin run again: release in Stop what Run made, or make it once and "
              "reuse it");
    }
    return false;
}

void PluginChecker::CloneAndRelease() {
    Plugin* copy = nullptr;
    if (!Call("Clone", [&] { copy = plugin->Clone(); })) return;
    if (copy == nullptr) {
        Found(Check::CloneRelease, FindingLevel::Contract, "Clone returned null",
              "return a new object of the plugin's class, made with new, with no argument bound");
        return;
    }
    if (copy == plugin) {
        Found(Check::CloneRelease, FindingLevel::Contract,
              "Clone returned the pack's own object, which Release would then delete",
              "return a new object of the plugin's class, made with new");
        return;
    }
    std::string name, signature;
    if (!Call("GetName and GetSignature of the copy", [&] {
            const char* text = copy->GetName();
            name = text ? text : "";
            text = copy->GetSignature();
            signature = text ? text : "";
        }))
        return;
    if (name != descriptor.name.GetText()) {
        Found(Check::CloneRelease, FindingLevel::Contract,
              "the copy that Clone made is called \"" + name + "\"",
              "make Clone return an object of the plugin's own class");
    }
    if (!Call("Release of the copy", [&] { copy->Release(); })) return;
    Passed(Check::CloneRelease, "Clone made a new object of the plugin and Release deleted it");
}

void PluginChecker::Bind(const ValueSet& set) {
    values = &set;
    arguments.clear();
    for (int i = 0; i < descriptor.GetArgumentCount(); ++i) {
        Argument argument;
        argument.type = descriptor.typeNames[i].GetText();
        argument.name = descriptor.argumentNames[i].GetText();
        argument.in = descriptor.inFlags[i];
        argument.optional = descriptor.optionalFlags[i];
        if (!argument.in) {
            argument.variable = NewEmptyVariable(argument.type);
        } else if (IsHostType(argument.type)) {
            argument.variable = NewHostVariable(argument.type, set);
        } else {
            argument.variable = provided[i];
        }
        argument.given = argument.variable->value;
        arguments.push_back(argument);
    }
}

// Binds every argument again, as the host does before a frame's Run.
bool PluginChecker::Rebind() {
    return Call("SetArgument", [&] {
        for (size_t i = 0; i < arguments.size(); ++i)
            plugin->SetArgument(static_cast<int>(i), &arguments[i].variable->value);
    });
}

// One Run, timed and with its allocations counted when it is one of the
// measured runs, then the checks of its arguments.
bool PluginChecker::RunOnce(int run) {
    // A value that moves on with the Runs (the frame time) is made afresh:
    // the plugin reads its slot again at every Run.
    for (Argument& argument : arguments) {
        const HostType* type = argument.in ? FindHostType(argument.type) : nullptr;
        if (type == nullptr || type->holds(*argument.given, values->set, run)) continue;
        argument.variable->value = type->make(values->set, run);
        argument.given = argument.variable->value;
    }
    const std::string operation = "Run " + std::to_string(run % OrdinaryRuns + 1);
    Step(operation);
    const bool counted = ordinary && run % OrdinaryRuns >= WarmUpRuns;
    Timer timer;
    timer.Reset();
    if (counted) Ombrel::Tools::PackAllocations::Begin();
    double started = timer.Seconds();
    CallOutcome outcome = GuardedCall([&] { plugin->Run(); });
    double seconds = timer.Seconds() - started;
    if (counted) Ombrel::Tools::PackAllocations::End();
    const bool returned = Judge(operation, outcome);
    ranBefore = true;
    if (!returned) return false;
    runReturned = true;
    if (counted) {
        ++measuredRuns;
        ownAllocations += Ombrel::Tools::PackAllocations::OwnCalls();
        otherAllocations += Ombrel::Tools::PackAllocations::OtherCalls();
        totalSeconds += seconds;
        if (seconds > longestSeconds) longestSeconds = seconds;
    }
    Step("checking the arguments after " + operation);
    CheckOutSlots();
    CheckInValues(run);
    return true;
}

void PluginChecker::CheckOutSlots() {
    for (const Argument& argument : arguments) {
        if (argument.in) continue;
        Value* value = argument.variable->value;
        if (value == nullptr) {
            if (!argument.optional)
                Found(Check::OutSlots, FindingLevel::Contract,
                      "Run left out argument " + argument.name + " (\"" + argument.type +
                          "\") empty: the plugins that read it would get nothing",
                      "store a value of the plugin's own making into *slot at every Run, or "
                      "mark the argument opt");
            continue;
        }
        std::string problem = ValueTypeProblem(value, argument.type);
        if (!problem.empty())
            Found(Check::OutSlots, FindingLevel::HostFails,
                  "out argument " + argument.name + " holds " + problem +
                      ": the plugins that read it would misread it",
                  "store a value of the class behind the declared type (" + HostClasses() + ")");
    }
}

void PluginChecker::CheckInValues(int run) {
    for (const Argument& argument : arguments) {
        if (!argument.in) continue;
        const HostType* type = FindHostType(argument.type);
        bool changed = argument.variable->value != argument.given ||
                       (type != nullptr && !type->holds(*argument.given, values->set, run));
        if (changed)
            Found(Check::InValues, FindingLevel::Contract,
                  "Run changed in argument " + argument.name +
                      ": the value belongs to the host, or to the plugin that made it",
                  "read in values, copy what you need, and never write or replace them");
    }
}

void PluginChecker::Cycles(const ValueSet& set, int cycles, int runs, bool ordinaryPhase) {
    ordinary = ordinaryPhase;
    Bind(set);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const std::string cycleName = cycles > 1 ? "cycle " + std::to_string(cycle + 1) + ", " : "";
        if (!Rebind()) continue;
        if (Call(cycleName + "Start", [&] { plugin->Start(); }) &&
            Call(cycleName + "Prepare", [&] { prepared = plugin->Prepare(); })) {
            for (int run = 0; run < runs; ++run) {
                if (!Rebind() || !RunOnce(cycle * runs + run)) break;
            }
        }
        Call(cycleName + "Stop", [&] { plugin->Stop(); });
    }
    if (ordinaryPhase)
        Passed(Check::Lifecycle, std::to_string(cycles) + " cycles of Start, Prepare (" +
                                     (prepared ? "true" : "false") + "), " + std::to_string(runs) +
                                     " Runs and Stop with ordinary values");
    ordinary = false;
}

void PluginChecker::ReportMeasurements() {
    std::string reason;
    const std::string role = perFrame ? ""
                                      : "; not held against a plugin with out arguments, which "
                                        "the host's graph runs once";
    if (measuredRuns == 0) {
        reason = "no Run after the first " + std::to_string(WarmUpRuns) + " of a cycle returned";
        Skipped(Check::Allocations, reason);
        Skipped(Check::RunTime, reason);
        return;
    }
    double own = static_cast<double>(ownAllocations) / measuredRuns;
    double other = static_cast<double>(otherAllocations) / measuredRuns;
    const std::string counts =
        Format("%.1f allocations per Run by the pack's own code (%.1f by the libraries it calls)",
               own, other);
    if (!Ombrel::Tools::PackAllocations::Available(reason)) {
        Skipped(Check::Allocations, reason);
    } else if (perFrame && ownAllocations > 0) {
        step = phaseName + ": Runs after the first " + std::to_string(WarmUpRuns);
        Found(Check::Allocations, FindingLevel::Allocations, counts,
              "make what Run needs once, in Start or at the first Run, and reuse it: a "
              "per-frame Run should not allocate");
    } else {
        Passed(Check::Allocations, counts + role);
    }
    double mean = totalSeconds / measuredRuns;
    const std::string times =
        Format("%.3f ms per Run on average, %.3f ms at most", mean * 1000, longestSeconds * 1000);
    if (perFrame && mean > FrameSeconds) {
        step = phaseName + ": Runs after the first " + std::to_string(WarmUpRuns);
        Found(Check::RunTime, FindingLevel::Timing,
              times + ": more than a frame at 60 frames per second",
              "do less in each Run: prepare in Start or at the first Run what does not change");
    } else {
        Passed(Check::RunTime, times + role);
    }
}

void PluginChecker::ReportPhasePasses() {
    Passed(Check::ExceptionType, "only Ombrel::Exception left the plugin");
    Passed(Check::ExceptionText, "every Ombrel::Exception carried a message");
    if (!runReturned) {
        Skipped(Check::OutSlots, "no Run returned");
        Skipped(Check::InValues, "no Run returned");
        return;
    }
    Passed(Check::OutSlots, "every out argument held a value of its type after each Run");
    Passed(Check::InValues, "the in values were left as they were given");
}

// Out-of-range indexes, each with a variable of its own, then a Run on the
// earlier bindings: an index the plugin does not have must change nothing.
void PluginChecker::SetArgumentOutOfRange() {
    Bind(ordinaryValues);
    if (!Rebind()) return;
    const int count = descriptor.GetArgumentCount();
    const int candidates[] = {count, count + 1, -1, INT_MAX, INT_MIN};
    std::vector<int> indexes;
    std::vector<Variable*> strays;
    for (int index : candidates) {
        bool repeated = false;
        for (int seen : indexes) repeated = repeated || seen == index;
        if (repeated || (index >= 0 && index < count)) continue;
        indexes.push_back(index);
        strays.push_back(NewHostVariable("int", ordinaryValues));
    }
    std::vector<Value*> given;
    for (Variable* stray : strays) given.push_back(stray->value);
    for (size_t k = 0; k < indexes.size(); ++k) {
        const std::string call = "SetArgument(" + std::to_string(indexes[k]) + ")";
        if (!Call(call, [&] { plugin->SetArgument(indexes[k], &strays[k]->value); })) return;
    }
    if (Call("Start", [&] { plugin->Start(); }) && Call("Prepare", [&] { plugin->Prepare(); }))
        RunOnce(0);
    Call("Stop", [&] { plugin->Stop(); });
    Step("checking the variables given with indexes out of range");
    for (size_t k = 0; k < indexes.size(); ++k) {
        if (strays[k]->value == given[k] &&
            FindHostType("int")->holds(*given[k], ordinaryValues.set, 0))
            continue;
        Found(Check::SetArgumentRange, FindingLevel::Contract,
              "SetArgument(" + std::to_string(indexes[k]) +
                  ") was not ignored: the plugin wrote into the slot it was given, for an "
                  "index it does not have",
              "ignore every index outside 0 to the argument count - 1; compare it as unsigned "
              "to catch negative ones too");
    }
    Passed(Check::SetArgumentRange, "SetArgument with indexes out of range changed nothing");
}

// The demo starts a call before the values of the pack's types that it reads
// are made (the scene drawing before the scene is loaded), and a maker may
// leave its value empty: Start, Prepare, Runs and Stop with every "in"
// argument of a pack's type empty. An Ombrel::Exception is the plugin's right
// answer; only a crash, a hang or another exception counts.
void PluginChecker::EmptySlots() {
    Bind(ordinaryValues);
    bool any = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (provided[i] == nullptr) continue;
        any = true;
        arguments[i].variable = NewEmptyVariable(arguments[i].type);
        arguments[i].given = nullptr;
    }
    if (!any || !Rebind()) return;
    if (Call("Start", [&] { plugin->Start(); }) && Call("Prepare", [&] { plugin->Prepare(); })) {
        for (int run = 0; run < EdgeRuns; ++run) {
            if (!Rebind() || !RunOnce(run)) break;
        }
    }
    Call("Stop", [&] { plugin->Stop(); });
}

}  // namespace

const std::vector<Check>& PluginChecks() {
    static const std::vector<Check> names = ChecksOf('R');
    return names;
}

void SkipPluginChecks(ChildReporter& reporter, const std::string& reason) {
    for (Check check : PluginChecks()) {
        if (check != Check::Crash && check != Check::Hang)
            reporter.Result(CheckResult(check, CheckResult::Skipped, reason));
    }
}

void RunPluginChecks(const PackPlugins& underCheck, const std::vector<PackPlugins>& with, int index,
                     int firstPhase, ChildReporter& reporter) {
    PluginDescriptor* descriptor = underCheck.descriptors[index];
    Ombrel::Tools::PackAllocations::SetOwnModule(
        reinterpret_cast<const void*>(underCheck.pack->getMagic));
    ValueMakers makers(underCheck, with, reporter);
    PluginChecker checker(*descriptor, makers, reporter);
    std::string failure;
    if (!makers.RunWithPackMakers(failure) || !checker.SetUp(failure)) {
        SkipPluginChecks(reporter, "its arguments could not be made: " + failure);
        return;
    }
    for (int phase = firstPhase; phase < PluginPhaseCount; ++phase) checker.RunPhase(phase);
}
