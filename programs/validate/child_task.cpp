#include "programs/validate/child_task.h"

#include <cstdio>

#include "foundation/exception.h"
#include "programs/support/child_process.h"
#include "programs/validate/channel.h"
#include "programs/validate/library_checks.h"
#include "programs/validate/loaded_packs.h"
#include "programs/validate/plugin_checks.h"

namespace {

void CheckPlugin(const Options& options, ChildReporter& reporter) {
    std::vector<PackPlugins> with;
    PackPlugins underCheck;
    std::string failure;
    reporter.Step(-1, "loading the packs");
    try {
        underCheck = LoadPackPlugins(options.pack);
        for (const std::string& file : options.withPacks) with.push_back(LoadPackPlugins(file));
    } catch (const Ombrel::Exception& e) {
        failure = e.message;
    }
    const int index = options.pluginIndex;
    if (failure.empty() && (index < 0 || index >= static_cast<int>(underCheck.descriptors.size()) ||
                            underCheck.descriptors[index] == nullptr))
        failure = "the pack has no plugin " + std::to_string(index) + " with a signature";
    if (failure.empty()) {
        RunPluginChecks(underCheck, with, index, options.firstPhase, reporter);
        return;
    }
    SkipPluginChecks(reporter, "not checked: " + failure);
}

}  // namespace

int RunChildTask(const Options& options) {
    PrepareChildProcess();
    ParentChannel channel(options.channel.c_str());
    if (!channel.IsOpen()) {
        std::fprintf(stderr, "ombrel-validate: --child is for the validator's own use\n");
        return 2;
    }
    ChildReporter reporter(channel);
    reporter.Step(-1, "starting");
    if (options.child == "library") {
        RunLibraryChecks(options.pack, options.withPacks, ChecksDemoGraph(options), reporter);
    } else {
        CheckPlugin(options, reporter);
    }
    reporter.Done();
    return 0;
}
