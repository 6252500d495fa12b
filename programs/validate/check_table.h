#pragma once

#include <string>
#include <vector>

// Every check of the validator, in the order of the report and of the guide's
// table: its name in the reports, what it concerns, the strictness from which
// its findings count (a few findings of a check count from another level, see
// FindingLevel), what it tries, and what to fix when it finds something.
// A new check is one row here; the guide's table is what --list-checks
// prints, and a test keeps the two in step.
//
// Concerns: P the pack as a library, G the pack against the demo graph (with
// --graph demo), T each plugin's texts (read while the pack is added), R each
// plugin run in a child process of its own.
#define OMBREL_VALIDATOR_CHECKS(X)                                                               \
    X(Load, "load", "P", 1, "the library loader loads the pack",                                 \
      "build the pack for this system and put the libraries it needs beside it")                 \
    X(LoadTime, "load-time", "P", 5, "how long loading takes (a second at most)",                \
      "do less when the module loads: make plugin objects cheap to construct")                   \
    X(EntryPoints, "entry-points", "P", 1,                                                       \
      "the four entry points under their plain names, with a hint when one is exported under "   \
      "a C++ or decorated name",                                                                 \
      "declare the entry points with OMBREL_DECLARE_PACK")                                       \
    X(Magic, "magic", "P", 1, "the magic number", "return PluginMagic from GetMagic")            \
    X(PackName, "pack-name", "P", 3, "the pack has a name",                                      \
      "return the pack's name, a static text")                                                   \
    X(PluginCount, "plugin-count", "P", 1,                                                       \
      "an object for every index below the count, and a count of 0 or more",                     \
      "return the number of plugins that GetPluginInstance has")                                 \
    X(InvalidIndex, "invalid-index", "P", 2,                                                     \
      "null for the indexes -1, the count, 2147483647 and -2147483648",                          \
      "return null for every index outside 0 to count - 1")                                      \
    X(SameInstance, "same-instance", "P", 2, "the same object for an index at every call",       \
      "hand out one static object per plugin")                                                   \
    X(UniqueNames, "unique-names", "P", 2,                                                       \
      "no two plugins of one name (the program only ever finds the first)",                      \
      "give every plugin of the pack a name of its own")                                         \
    X(GraphNames, "graph-names", "G", 3,                                                         \
      "the plugins the demo calls from the pack exist under their exact names; a missing one "   \
      "is named with the nearest name the pack has",                                             \
      "name the plugin exactly as the demo calls it; letter case counts")                        \
    X(GraphSignatures, "graph-signatures", "G", 1,                                               \
      "those plugins take the arguments the demo binds, in its order, with its types and "       \
      "directions",                                                                              \
      "declare the arguments in the demo's order, with its types")                               \
    X(Signature, "signature", "T", 1, "every signature parses",                                  \
      "write the signature as a comma-separated list of \"[opt] in|out Type name\"")             \
    X(SignatureComplete, "signature-complete", "T", 3,                                           \
      "the whole signature is read: a list that ends early, at a second comma or a digit, "      \
      "loses its last arguments without a word",                                                 \
      "remove what stops the list there")                                                        \
    X(StableTexts, "stable-texts", "T", 2, "the same name and signature at every call",          \
      "return the same static texts at every call")                                              \
    X(KnownTypes, "known-types", "T", 3,                                                         \
      "every type a plugin reads is one the program fills or one that a plugin at hand makes",   \
      "give the pack that makes the type with --with, or fix the type's name")                   \
    X(CloneRelease, "clone-release", "R", 2, "Clone makes a new object, Release deletes it",     \
      "return a new object of the plugin's class from Clone, and delete it in Release")          \
    X(Lifecycle, "lifecycle", "R", 3,                                                            \
      "Start, Prepare, eight Runs and Stop, twice over, with ordinary values (5, false, the "    \
      "frame time, a short text), and with the pack's types empty",                              \
      "throw only for a real failure, and check what the plugin needs from its arguments")       \
    X(ExceptionType, "exception-type", "PR", 1,                                                  \
      "only Ombrel::Exception leaves the pack, with ordinary values and with three sets of "     \
      "edge values (NaN and infinite floats, negative and huge ints, empty and "                 \
      "100000-character texts, false and true)",                                                 \
      "catch it inside the plugin and throw Ombrel::Exception")                                  \
    X(ExceptionText, "exception-text", "R", 2, "every Ombrel::Exception carries a message",      \
      "say what failed, naming the plugin and the argument")                                     \
    X(OutSlots, "out-slots", "R", 1,                                                             \
      "after every Run, each \"out\" argument holds a value of its type (an IntValue holding 0 " \
      "or 1 for \"bool\")",                                                                      \
      "store a value of the class behind the declared type at every Run")                        \
    X(InValues, "in-values", "R", 2, "after every Run, each \"in\" value is as it was given",    \
      "read in values, copy what you need, and never write or replace them")                     \
    X(Allocations, "allocations", "R", 4,                                                        \
      "allocations by the pack's own code per Run, after the first three of each cycle",         \
      "make what Run needs once, in Start or at the first Run, and reuse it")                    \
    X(RunTime, "run-time", "R", 5, "time per Run, after the first three of each cycle",          \
      "do less in each Run: prepare in Start or at the first Run what does not change")          \
    X(SetArgumentRange, "set-argument-range", "R", 2,                                            \
      "SetArgument with indexes the plugin does not have changes nothing",                       \
      "ignore every index outside 0 to the argument count - 1")                                  \
    X(Crash, "crash", "PR", 1, "no step ends the process",                                       \
      "run the plugin with the values of the step under a debugger")                             \
    X(Hang, "hang", "PR", 1,                                                                     \
      "every step returns within the time limit (--time-limit, 30 seconds by default)",          \
      "make every operation return; a wait or a loop must end on its own")

enum class Check {
#define OMBREL_CHECK_ENUM(id, name, concerns, strictness, tries, fix) id,
    OMBREL_VALIDATOR_CHECKS(OMBREL_CHECK_ENUM)
#undef OMBREL_CHECK_ENUM
};

struct CheckInfo {
    Check id;
    const char* name;
    const char* concerns;  // letters of P, G, T, R
    int strictness;
    const char* tries;
    const char* fix;
};

const std::vector<CheckInfo>& Checks();
const CheckInfo& InfoOf(Check check);
// The row of that name; null for a name no check has.
const CheckInfo* FindCheck(const std::string& name);
// The checks of one concern ('P', 'G', 'T' or 'R'), in order.
std::vector<Check> ChecksOf(char concern);
// The guide's table of the checks, in Markdown.
std::string ChecksTable();
