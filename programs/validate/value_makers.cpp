#include "programs/validate/value_makers.h"

#include "programs/validate/guarded_call.h"
#include "programs/validate/test_values.h"

bool Makes(const PluginDescriptor& plugin, const std::string& typeName) {
    for (int i = 0; i < plugin.GetArgumentCount(); ++i)
        if (!plugin.inFlags[i] && typeName == plugin.typeNames[i].GetText()) return true;
    return false;
}

bool IsMaker(const PluginDescriptor& plugin) {
    for (int i = 0; i < plugin.GetArgumentCount(); ++i)
        if (!plugin.inFlags[i]) return true;
    return false;
}

ValueMakers::ValueMakers(const PackPlugins& underCheck, const std::vector<PackPlugins>& with,
                         ChildReporter& childReporter)
    : reporter(childReporter) {
    packs.push_back(&underCheck);
    for (const PackPlugins& pack : with) packs.push_back(&pack);
}

bool ValueMakers::RunWithPackMakers(std::string& failure) {
    for (size_t p = 1; p < packs.size(); ++p) {
        for (PluginDescriptor* maker : packs[p]->descriptors) {
            if (maker != nullptr && IsMaker(*maker) && !RunMaker(*maker, failure)) return false;
        }
    }
    return true;
}

bool ValueMakers::CanMake(const std::string& typeName, Plugin* except) const {
    for (const PackPlugins* pack : packs) {
        for (PluginDescriptor* maker : pack->descriptors) {
            if (maker != nullptr && maker->plugin != except && Makes(*maker, typeName)) return true;
        }
    }
    return false;
}

Variable* ValueMakers::Provide(const std::string& typeName, Plugin* except, std::string& failure) {
    auto found = made.find(typeName);
    if (found != made.end()) return found->second;
    for (const PackPlugins* pack : packs) {
        for (PluginDescriptor* maker : pack->descriptors) {
            if (maker == nullptr || maker->plugin == except || !Makes(*maker, typeName)) continue;
            // A maker runs once; one that ran without making the type fails.
            if (ran.count(maker->plugin) == 0 && !RunMaker(*maker, failure)) return nullptr;
            found = made.find(typeName);
            if (found != made.end()) return found->second;
            failure = std::string(maker->name.GetText()) + " left its \"" + typeName +
                      "\" out argument empty";
            return nullptr;
        }
    }
    failure = "no plugin of the pack or of the --with packs makes a \"" + typeName + "\" value";
    return nullptr;
}

bool ValueMakers::RunMaker(PluginDescriptor& maker, std::string& failure) {
    const std::string name = maker.name.GetText();
    ran.insert(maker.plugin);
    const ValueSet ordinary = OrdinaryValues();
    std::vector<Variable*> arguments;
    for (int i = 0; i < maker.GetArgumentCount(); ++i) {
        const std::string type = maker.typeNames[i].GetText();
        Variable* variable = nullptr;
        if (!maker.inFlags[i]) {
            variable = NewEmptyVariable(type);
        } else if (IsHostType(type)) {
            variable = NewHostVariable(type, ordinary);
        } else if ((variable = Provide(type, maker.plugin, failure)) == nullptr) {
            failure = "cannot run " + name + ": " + failure;
            return false;
        }
        arguments.push_back(variable);
    }
    reporter.Step(-1, "setting up: running " + name + " to make the values it makes");
    Plugin* plugin = maker.plugin;
    CallOutcome outcome = GuardedCall([&] {
        for (size_t i = 0; i < arguments.size(); ++i)
            plugin->SetArgument(static_cast<int>(i), &arguments[i]->value);
        plugin->Start();
        plugin->Prepare();
        plugin->Run();
    });
    if (outcome.kind != CallOutcome::Returned) {
        failure = name + " threw " +
                  (outcome.kind == CallOutcome::OmbrelException ? "\"" + outcome.text + "\""
                                                                : outcome.text);
        return false;
    }
    for (int i = 0; i < maker.GetArgumentCount(); ++i) {
        const std::string type = maker.typeNames[i].GetText();
        if (!maker.inFlags[i] && arguments[i]->value != nullptr && made.count(type) == 0)
            made[type] = arguments[i];
    }
    return true;
}
