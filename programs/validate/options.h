#pragma once

#include <string>
#include <vector>

// The validator's command line. A child process gets the same pack and
// --with packs, and says with --child what it is to do.
struct Options {
    enum Format { Text, Json, JUnit };

    std::string pack;
    std::vector<std::string> withPacks;
    int strictness;
    Format format = Text;
    bool onlyFailed = false;
    bool listChecks = false;  // print the table of checks and end
    double timeLimit;         // seconds for one step in a child
    // "demo": check the pack against the demo graph; "none": do not; empty:
    // only when the pack is named like one of the demo's packs.
    std::string graph;

    // In a child: "library", or "plugin" with an index and a first phase.
    std::string child;
    int pluginIndex = 0;
    int firstPhase = 0;
    std::string channel;

    Options();
};

// False, with `error` set (empty for --help), on a command line it cannot use.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);
// Whether the pack is checked against the demo graph.
bool ChecksDemoGraph(const Options& options);
// The usage text, with the strictness levels and the exit statuses.
std::string UsageText();
