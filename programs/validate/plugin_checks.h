#pragma once

#include <string>
#include <vector>

#include "programs/validate/channel.h"
#include "programs/validate/check_table.h"
#include "programs/validate/loaded_packs.h"

// The phases of one plugin's checks, in the order they run. A child process
// runs them from a given phase on; after a crash, the parent starts a new
// child at the next phase.
enum PluginPhase {
    PhaseCloneRelease,
    PhaseOrdinary,
    PhaseEmptySlots,
    PhaseEdgeValues1,
    PhaseEdgeValues2,
    PhaseEdgeValues3,
    PhaseSetArgumentRange,
    PluginPhaseCount
};

// The checks of every plugin, in the order of the report.
const std::vector<Check>& PluginChecks();

// Reports every check of PluginChecks() that a child answers for (all
// but crash and hang) as skipped, for `reason`.
void SkipPluginChecks(ChildReporter& reporter, const std::string& reason);

// In a child process: the checks of plugin `index` of the pack under check,
// from `firstPhase` on, with the plugins of the --with packs at hand.
void RunPluginChecks(const PackPlugins& underCheck, const std::vector<PackPlugins>& with, int index,
                     int firstPhase, ChildReporter& reporter);
