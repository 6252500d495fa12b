#include "programs/validate/options.h"

#include <limits>
#include <vector>

#include "foundation/exception.h"
#include "programs/support/option_table.h"
#include "programs/validate/check_result.h"
#include "programs/validate/graph_checks.h"

namespace {

using Ombrel::Tools::Option;

const double DefaultTimeLimit = 30.0;

// Reads one of the words of `choices` into `field`.
Option::Read OneOf(std::string& field, std::vector<std::string> choices) {
    return [&field, choices](const std::string& value) {
        field = value;
        for (const std::string& choice : choices) {
            if (value == choice) return true;
        }
        return false;
    };
}

bool ReadChild(const std::string& task, Ombrel::Tools::FollowingArguments& more, Options& options) {
    options.child = task;
    if (options.child != "plugin") return true;
    const int low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    std::string index, phase;
    return more.Take(index) && more.Take(phase) &&
           Ombrel::Tools::ReadInteger(index, low, high, options.pluginIndex) &&
           Ombrel::Tools::ReadInteger(phase, low, high, options.firstPhase);
}

// The one table of the options: the reading and the usage are made from it.
// The rows without help are the validator's own, for its child processes.
std::vector<Option> ValidateTable(Options& o, bool& help, std::string& format) {
    using namespace Ombrel::Tools;
    return {
        Option("--with", "PACK",
               "a pack whose plugins make values that PACK's plugins read (its\n"
               "plugins with out arguments run first, as the demo runs its\n"
               "window plugin first); may be given more than once",
               [&o](const std::string& pack) {
                   o.withPacks.push_back(pack);
                   return true;
               })
            .Needs("a pack file"),
        Option("--strictness", "N",
               "what counts as a finding (default 3); each level adds to the\n"
               "ones below, and what does not count yet is shown as a warning:\n"
               "1  what stops or crashes the host: a pack it refuses, a crash,\n"
               "   a hang, an exception other than Ombrel::Exception, an out\n"
               "   value of the wrong class\n"
               "2  breaches of the contract: objects for indexes out of range,\n"
               "   duplicate names, texts that change, Clone and Release,\n"
               "   SetArgument out of range, empty out arguments, changed in\n"
               "   values, exceptions without a message, a negative count\n"
               "3  what a user meets: signature text the host ignores, a type\n"
               "   no plugin at hand makes, an exception with ordinary values,\n"
               "   a pack without a name\n"
               "4  allocations in every Run of a per-frame plugin (one without\n"
               "   out arguments; the demo runs plugins with out arguments once)\n"
               "5  beyond the demo's own use: a per-frame Run slower than a frame\n"
               "   at 60 frames per second, loading slower than a second, and\n"
               "   a plugin with out arguments that throws when run again",
               [&o](const std::string& level) {
                   return ReadInteger(level, FindingLevel::Lowest, FindingLevel::Highest,
                                      o.strictness);
               })
            .Needs("a level from 1 to 5")
            .Refusal("--strictness takes a level from 1 to 5, not {value}"),
        Option("--graph", "demo",
               "check PACK against the demo graph: the plugins the demo calls\n"
               "from it exist under their exact names, with the arguments the\n"
               "demo binds; the default for a pack named like the demo's\n"
               "(Vantrope, Kestrelia); --graph none leaves it out",
               OneOf(o.graph, {"demo", "none"}))
            .Needs("demo or none")
            .Refusal("--graph takes demo or none, not {value}"),
        Option("--format", "F", "text (default), json or junit (JUnit XML, for CI)",
               OneOf(format, {"text", "json", "junit"}))
            .Needs("text, json or junit")
            .Refusal("--format takes text, json or junit, not {value}"),
        Option("--only-failed", "", "list only the findings, then the summary",
               SetFlag(o.onlyFailed)),
        Option("--list-checks", "", "print the table of checks (as the guide has it) and end",
               SetFlag(o.listChecks))
            .Ends(),
        Option("--time-limit", "S",
               "seconds one step may take before it counts as a hang (default 30)",
               [&o](const std::string& seconds) {
                   return ReadSeconds(seconds, std::numeric_limits<double>::infinity(), false,
                                      o.timeLimit);
               })
            .Needs("a number of seconds")
            .Refusal("--time-limit takes a number of seconds, not {value}"),
        Option("--help", "", "", SetFlag(help)).Alias("-h").Ends(),
        Option("--child", "TASK", "", nullptr)
            .Reads([&o](const std::string& task, FollowingArguments& more) {
                return ReadChild(task, more, o);
            })
            .Needs("a task")
            .Refusal("--child plugin needs an index and a phase"),
        Option("--channel", "CHANNEL", "", TakeWord(o.channel)).Needs("a channel"),
    };
}

}  // namespace

Options::Options() : strictness(FindingLevel::Default), timeLimit(DefaultTimeLimit) {}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    bool help = false;
    std::string format;
    Ombrel::Tools::Wording wording;
    wording.unknown = "unknown option {argument}";
    wording.needsValue = "{option} needs {needs}";
    wording.dashIsWord = true;
    wording.word = [&options](const std::string& pack) {
        if (!options.pack.empty()) {
            throw Ombrel::Exception("one pack at a time: %s and %s", options.pack.c_str(),
                                    pack.c_str());
        }
        options.pack = pack;
    };
    try {
        Ombrel::Tools::ReadOptions(std::vector<std::string>(argv + 1, argv + argc),
                                   ValidateTable(options, help, format), wording);
    } catch (const Ombrel::Exception& e) {
        error = e.message;
        return false;
    }
    if (format == "json") options.format = Options::Json;
    if (format == "junit") options.format = Options::JUnit;
    if (help) {
        error.clear();
        return false;
    }
    if (options.listChecks) return true;
    if (options.pack.empty()) {
        error = "no pack file given";
        return false;
    }
    return true;
}

bool ChecksDemoGraph(const Options& options) {
    if (!options.graph.empty()) return options.graph == "demo";
    return !DemoPackOfFile(options.pack).empty();
}

std::string UsageText() {
    Options unused;
    bool help = false;
    std::string format;
    return "usage: ombrel-validate [--with PACK]... [--strictness 1-5] [--format text|json|junit]\n"
           "                      [--only-failed] [--time-limit SECONDS] [--graph demo|none] PACK\n"
           "\n"
           "Loads PACK as the host does and puts it through what the host will do, in child\n"
           "processes, so that a crash or a hang is reported and the check goes on. A bare\n"
           "file name is looked for beside the program, as the host looks for its packs.\n"
           "\n" +
           Ombrel::Tools::OptionLines(ValidateTable(unused, help, format), 21) +
           "\n"
           "Exit status: 0 when nothing counts as a finding at the chosen strictness, 1 when\n"
           "something does, 2 on wrong usage or when PACK (or a --with pack) cannot be loaded\n"
           "at all.\n";
}
