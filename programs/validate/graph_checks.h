#pragma once

#include <string>
#include <vector>

#include "plugin/descriptor.h"
#include "programs/validate/check_result.h"

// What the validator knows of the demo graph, read from the host's own tables:
// the plugins it calls from each of its packs and the arguments it binds.

// "Vantrope" for a pack file named like one of the demo's packs (any folder,
// any suffix), empty otherwise.
std::string DemoPackOfFile(const std::string& file);

// A plugin of the pack under check, as the graph checks see it; `descriptor`
// is null when its signature does not parse.
struct GraphPlugin {
    std::string name;
    const PluginDescriptor* descriptor;
};

// The graph checks of a pack: the plugins the demo calls from it exist under
// their exact names (a missing one is named with the nearest name the pack
// has), and each takes the arguments the demo binds, in order, with the same
// types and directions. The calls checked are those of the demo pack the file
// is named like; otherwise those of each demo pack that the pack has a plugin
// of (or one named nearly so); otherwise every call no --with pack answers.
std::vector<CheckResult> CheckDemoGraph(const std::string& packFile,
                                        const std::vector<GraphPlugin>& plugins,
                                        const std::vector<std::string>& withNames);
