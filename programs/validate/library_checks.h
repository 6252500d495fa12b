#pragma once

#include <string>
#include <vector>

#include "programs/validate/channel.h"
#include "programs/validate/check_table.h"

// The checks of the pack as a library, in the order of the report: what the
// host does when it adds the pack, tried with the values the host never uses.
const std::vector<Check>& LibraryChecks();
// The checks of each plugin's texts, made while the pack is added; they come
// before the checks of PluginChecks() in the report.
const std::vector<Check>& PluginTextChecks();
// The checks of the pack against the demo graph, after those of the library.
const std::vector<Check>& GraphChecks();

// In a child process: loads the pack (and the --with packs, for the types
// they make), checks it, and names each plugin whose own checks can run. A
// pack or a --with pack that cannot be loaded at all gives a fatal record.
// With `graph`, the pack is also checked against the demo graph.
void RunLibraryChecks(const std::string& packFile, const std::vector<std::string>& withFiles,
                      bool graph, ChildReporter& reporter);
