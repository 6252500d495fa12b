#include "programs/validate/graph_checks.h"

#include <algorithm>

#include "host/demo_graph.h"
#include "programs/support/plugin_names.h"

namespace {

struct ExpectedArgument {
    std::string type;
    bool in;
};

struct GraphCall {
    std::string plugin;
    std::string pack;
    std::vector<ExpectedArgument> arguments;
};

// The calls of the graph with the arguments the graph binds, by index.
std::vector<GraphCall> DemoGraphCalls() {
    // The variables carry the type names; the values they are made with do
    // not matter here.
    static const DemoVariables variables(Settings{});
    std::vector<GraphCall> calls;
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        GraphCall call;
        call.plugin = entry.pluginName;
        call.pack = entry.packName;
        for (const DemoBinding& binding : DemoBindings) {
            if (binding.call != entry.call) continue;
            if (call.arguments.size() <= static_cast<size_t>(binding.index))
                call.arguments.resize(binding.index + 1);
            call.arguments[binding.index] = {(variables.*binding.variable).typeName.GetText(),
                                             binding.direction == DemoBinding::In};
        }
        calls.push_back(call);
    }
    return calls;
}

std::string Described(const ExpectedArgument& argument) {
    return std::string(argument.in ? "in " : "out ") + argument.type;
}

std::string Signature(const std::vector<ExpectedArgument>& arguments) {
    std::string text;
    for (const ExpectedArgument& argument : arguments)
        text += (text.empty() ? "" : ", ") + Described(argument);
    return text;
}

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The calls a pack of that file and those plugins is checked for.
std::vector<GraphCall> CallsFor(const std::string& packFile, const std::vector<std::string>& names,
                                const std::vector<std::string>& withNames) {
    const std::vector<GraphCall> all = DemoGraphCalls();
    std::vector<std::string> packs;
    const std::string named = DemoPackOfFile(packFile);
    if (!named.empty()) packs.push_back(named);
    for (const GraphCall& call : all) {
        if (named.empty() && !Contains(packs, call.pack) &&
            (Contains(names, call.plugin) || !NearestName(call.plugin, names).empty()))
            packs.push_back(call.pack);
    }
    std::vector<GraphCall> chosen;
    for (const GraphCall& call : all) {
        if (packs.empty() ? !Contains(withNames, call.plugin) : Contains(packs, call.pack))
            chosen.push_back(call);
    }
    return chosen;
}

// What differs between a plugin's arguments and those the graph binds.
std::string Mismatch(const GraphCall& call, const PluginDescriptor& descriptor) {
    const int count = descriptor.GetArgumentCount();
    const int bound = static_cast<int>(call.arguments.size());
    std::string problems;
    for (int i = 0; i < std::min(count, bound); ++i) {
        const ExpectedArgument& expected = call.arguments[i];
        const ExpectedArgument actual = {descriptor.typeNames[i].GetText(),
                                         descriptor.inFlags[i] != 0};
        if (actual.type == expected.type && actual.in == expected.in) continue;
        problems += (problems.empty() ? "" : ", ") + std::string("argument ") + std::to_string(i) +
                    " is \"" + Described(actual) + "\" where the demo binds \"" +
                    Described(expected) + "\"";
    }
    if (count != bound) {
        problems += (problems.empty() ? "" : ", ") + std::to_string(count) +
                    (count == 1 ? " argument" : " arguments") + " where the demo binds " +
                    std::to_string(bound) +
                    (count > bound ? ": the others are never bound" : ": the last are never read");
    }
    return problems.empty() ? "" : call.plugin + ": " + problems;
}

CheckResult Result(Check check, CheckResult::Status status, int level, const std::string& message,
                   const std::string& fix = "") {
    CheckResult result(check, status, message);
    result.level = level;
    result.fix = fix;
    return result;
}

}  // namespace

std::string DemoPackOfFile(const std::string& file) {
    std::string name = file.substr(file.find_last_of("/\\") + 1);
    name = name.substr(0, name.find('.'));
    for (const DemoCallPlugin& entry : DemoCallPlugins) {
        if (name == entry.packName) return name;
    }
    return "";
}

std::vector<CheckResult> CheckDemoGraph(const std::string& packFile,
                                        const std::vector<GraphPlugin>& plugins,
                                        const std::vector<std::string>& withNames) {
    std::vector<std::string> names;
    for (const GraphPlugin& plugin : plugins) names.push_back(plugin.name);
    const std::vector<GraphCall> calls = CallsFor(packFile, names, withNames);

    std::vector<std::string> present, missing, mismatches, expected;
    for (const GraphCall& call : calls) {
        auto found = std::find_if(plugins.begin(), plugins.end(),
                                  [&](const GraphPlugin& p) { return p.name == call.plugin; });
        if (found == plugins.end()) {
            std::string nearest = NearestName(call.plugin, names);
            missing.push_back(
                call.plugin +
                (nearest.empty() ? "" : " (\"" + nearest + "\" is likely a misspelling of it)"));
            continue;
        }
        present.push_back(call.plugin);
        if (found->descriptor == nullptr) continue;
        std::string mismatch = Mismatch(call, *found->descriptor);
        if (mismatch.empty()) continue;
        mismatches.push_back(mismatch);
        expected.push_back(call.plugin + "(" + Signature(call.arguments) + ")");
    }

    std::vector<CheckResult> results;
    if (missing.empty()) {
        results.push_back(Result(Check::GraphNames, CheckResult::Passed, 0,
                                 "the pack has " + Listed(present) + ", as the demo calls them"));
    } else {
        results.push_back(
            Result(Check::GraphNames, CheckResult::Finding, InfoOf(Check::GraphNames).strictness,
                   "the demo calls " + Listed(missing) +
                       ", which the pack does not have: the call does nothing, without a word, and "
                       "the demo shows a black picture"));
    }
    if (present.empty()) {
        results.push_back(Result(Check::GraphSignatures, CheckResult::Skipped, 0,
                                 "the pack has none of the plugins the demo calls from it"));
    } else if (mismatches.empty()) {
        results.push_back(Result(Check::GraphSignatures, CheckResult::Passed, 0,
                                 Listed(present) + " take the arguments the demo binds"));
    } else {
        results.push_back(Result(
            Check::GraphSignatures, CheckResult::Finding, InfoOf(Check::GraphSignatures).strictness,
            Listed(mismatches) + ": the demo binds by position, so the plugin would misread "
                                 "its values",
            std::string(InfoOf(Check::GraphSignatures).fix) + ": " + Listed(expected)));
    }
    return results;
}
