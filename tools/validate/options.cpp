#include "tools/validate/options.h"

#include <cstdlib>
#include <cstring>

#include "tools/validate/check_result.h"
#include "tools/validate/graph_checks.h"

namespace {

const double DefaultTimeLimit = 30.0;

bool ParseInt(const char* text, int& value) {
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < -2147483647L || parsed > 2147483647L) return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

Options::Options() : strictness(FindingLevel::Default), timeLimit(DefaultTimeLimit) {}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        auto needs = [&](const char* what) {
            if (next != nullptr) return true;
            error = word + " needs " + what;
            return false;
        };
        if (word == "--help" || word == "-h") {
            error.clear();
            return false;
        } else if (word == "--with") {
            if (!needs("a pack file")) return false;
            options.withPacks.push_back(argv[++i]);
        } else if (word == "--strictness") {
            if (!needs("a level from 1 to 5")) return false;
            if (!ParseInt(argv[++i], options.strictness) ||
                options.strictness < FindingLevel::Lowest ||
                options.strictness > FindingLevel::Highest) {
                error = std::string("--strictness takes a level from 1 to 5, not ") + argv[i];
                return false;
            }
        } else if (word == "--format") {
            if (!needs("text, json or junit")) return false;
            const std::string format = argv[++i];
            if (format == "text") {
                options.format = Options::Text;
            } else if (format == "json") {
                options.format = Options::Json;
            } else if (format == "junit") {
                options.format = Options::JUnit;
            } else {
                error = "--format takes text, json or junit, not " + format;
                return false;
            }
        } else if (word == "--graph") {
            if (!needs("demo or none")) return false;
            options.graph = argv[++i];
            if (options.graph != "demo" && options.graph != "none") {
                error = "--graph takes demo or none, not " + options.graph;
                return false;
            }
        } else if (word == "--list-checks") {
            options.listChecks = true;
            return true;
        } else if (word == "--only-failed") {
            options.onlyFailed = true;
        } else if (word == "--time-limit") {
            if (!needs("a number of seconds")) return false;
            char* end = nullptr;
            options.timeLimit = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !(options.timeLimit > 0)) {
                error = std::string("--time-limit takes a number of seconds, not ") + argv[i];
                return false;
            }
        } else if (word == "--child") {
            // Set by the validator for its own child processes.
            if (!needs("a task")) return false;
            options.child = argv[++i];
            if (options.child == "plugin") {
                if (i + 2 >= argc || !ParseInt(argv[i + 1], options.pluginIndex) ||
                    !ParseInt(argv[i + 2], options.firstPhase)) {
                    error = "--child plugin needs an index and a phase";
                    return false;
                }
                i += 2;
            }
        } else if (word == "--channel") {
            if (!needs("a channel")) return false;
            options.channel = argv[++i];
        } else if (word.size() > 1 && word[0] == '-') {
            error = "unknown option " + word;
            return false;
        } else if (options.pack.empty()) {
            options.pack = word;
        } else {
            error = "one pack at a time: " + options.pack + " and " + word;
            return false;
        }
    }
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
    return "usage: ombrel-validate [--with PACK]... [--strictness 1-5] [--format text|json|junit]\n"
           "                      [--only-failed] [--time-limit SECONDS] [--graph demo|none] PACK\n"
           "\n"
           "Loads PACK as the host does and puts it through what the host will do, in child\n"
           "processes, so that a crash or a hang is reported and the check goes on. A bare\n"
           "file name is looked for beside the program, as the host looks for its packs.\n"
           "\n"
           "  --with PACK        a pack whose plugins make values that PACK's plugins read (its\n"
           "                     plugins with out arguments run first, as the demo runs its\n"
           "                     window plugin first); may be given more than once\n"
           "  --strictness N     what counts as a finding (default 3); each level adds to the\n"
           "                     ones below, and what does not count yet is shown as a warning:\n"
           "                     1  what stops or crashes the host: a pack it refuses, a crash,\n"
           "                        a hang, an exception other than Ombrel::Exception, an out\n"
           "                        value of the wrong class\n"
           "                     2  breaches of the contract: objects for indexes out of range,\n"
           "                        duplicate names, texts that change, Clone and Release,\n"
           "                        SetArgument out of range, empty out arguments, changed in\n"
           "                        values, exceptions without a message, a negative count\n"
           "                     3  what a user meets: signature text the host ignores, a type\n"
           "                        no plugin at hand makes, an exception with ordinary values,\n"
           "                        a pack without a name\n"
           "                     4  allocations in every Run of a per-frame plugin (one without\n"
           "                        out arguments; the demo runs plugins with out arguments once)\n"
           "                     5  beyond the demo's own use: a per-frame Run slower than a "
           "frame\n"
           "                        at 60 frames per second, loading slower than a second, and\n"
           "                        a plugin with out arguments that throws when run again\n"
           "  --graph demo       check PACK against the demo graph: the plugins the demo calls\n"
           "                     from it exist under their exact names, with the arguments the\n"
           "                     demo binds; the default for a pack named like the demo's\n"
           "                     (Vantrope, Kestrelia); --graph none leaves it out\n"
           "  --format F         text (default), json or junit (JUnit XML, for CI)\n"
           "  --only-failed      list only the findings, then the summary\n"
           "  --list-checks      print the table of checks (as the guide has it) and end\n"
           "  --time-limit S     seconds one step may take before it counts as a hang (default "
           "30)\n"
           "\n"
           "Exit status: 0 when nothing counts as a finding at the chosen strictness, 1 when\n"
           "something does, 2 on wrong usage or when PACK (or a --with pack) cannot be loaded\n"
           "at all.\n";
}
